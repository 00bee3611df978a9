#include "particle_system.h"

#include "particle.h"

void ParticleSystem::addNewParticle(const boost::shared_ptr<Particle>& particle) {
  particles.insert(particle);
}

void ParticleSystem::update(Millis elapsedTime) {
  for (auto particle = particles.begin(); particle != particles.end();) {
    if ((*particle)->update(elapsedTime)) {
      ++particle;
    } else {
      particle = particles.erase(particle);
    }
  }
}

void ParticleSystem::draw(Graphics& graphics) const {
  for (const boost::shared_ptr<Particle>& particle : particles) particle->draw(graphics);
}
