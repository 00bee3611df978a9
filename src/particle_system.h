#pragma once

#include <boost/shared_ptr.hpp>
#include <set>

#include "units.h"

class Graphics;
class Particle;

// Sole owner of its particles; the set order is the update and draw order.
class ParticleSystem {
 public:
  void addNewParticle(const boost::shared_ptr<Particle>& particle);
  void update(Millis elapsedTime);
  void draw(Graphics& graphics) const;

  std::set<boost::shared_ptr<Particle>> particles;
};

// Everything a spawner needs, handed around as one.
struct ParticleTools {
  ParticleSystem& frontSystem;
  ParticleSystem& entitySystem;
  Graphics& graphics;
};
