#include "damage_texts.h"

#include <cstdio>

#include "damageable.h"
#include "floating_number.h"

void DamageTexts::addDamageable(const boost::shared_ptr<Damageable>& damageable) {
  damageTexts[damageable->getDamageText()] = damageable;
}

void DamageTexts::update(Millis elapsedTime) {
  for (auto entry = damageTexts.begin(); entry != damageTexts.end();) {
    FloatingNumber& number = *entry->first;
    if (const boost::shared_ptr<Damageable> owner = entry->second.lock()) {
      number.setPosition(owner->centerX(), owner->centerY());
    }
    const bool showing = number.update(elapsedTime);
    // A live owner reuses its number for every later hit, so only orphans go.
    if (!showing && entry->second.expired()) {
      entry = damageTexts.erase(entry);
      std::fputs(kDroppedLine, stdout);
    } else {
      ++entry;
    }
  }
}

void DamageTexts::draw(Graphics& graphics) const {
  for (const auto& entry : damageTexts) entry.first->draw(graphics);
}
