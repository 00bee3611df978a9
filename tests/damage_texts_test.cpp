#include "damage_texts.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <string>

#include "cave_bat.h"
#include "damageable.h"
#include "floating_number.h"
#include "graphics.h"
#include "test_support.h"
#include "timer.h"

namespace {

const std::string kDroppedLine = DamageTexts::kDroppedLine;

// Stands in for the player: alive for the whole run, wherever the test puts it.
struct StandingOwner : Damageable {
  GameUnit centerX() const override { return x; }
  GameUnit centerY() const override { return y; }
  boost::shared_ptr<FloatingNumber> getDamageText() override { return number; }

  GameUnit x = 50.0f;
  GameUnit y = 60.0f;
  boost::shared_ptr<FloatingNumber> number =
      boost::make_shared<FloatingNumber>(FloatingNumber::DAMAGE);
};

size_t countOf(const std::string& text, const std::string& line) {
  size_t count = 0;
  for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace

TEST(DamageTexts, LiveOwnersKeepTheirNumbersFollowingThemAndNothingIsPrinted) {
  const ChildResult result = runInChild([] {
    DamageTexts texts;
    const auto owner = boost::make_shared<StandingOwner>();
    texts.addDamageable(owner);
    owner->number->addValue(4);
    for (int frame = 0; frame < 200; ++frame) {
      owner->x += 1.0f;
      Timer::updateAll(16);
      texts.update(16);
      if (owner->number->centerX != owner->x || owner->number->centerY != 60.0f) return 2;
    }
    if (owner->number->timer.active()) return 3;
    return texts.damageTexts.size() == 1 ? 0 : 4;
  });
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
}

TEST(DamageTexts, RegisteringTheSameNumberAgainReplacesItsOwner) {
  DamageTexts texts;
  const auto first = boost::make_shared<StandingOwner>();
  const auto second = boost::make_shared<StandingOwner>();
  second->number = first->number;
  second->x = 90.0f;
  texts.addDamageable(first);
  texts.addDamageable(second);
  ASSERT_EQ(texts.damageTexts.size(), 1u);
  texts.update(16);
  EXPECT_EQ(first->number->centerX, 90.0f);
}

// The game's order: timers, damage numbers, then the bat, released once it is dead.
TEST(DamageTexts, DeadBatsNumberFadesWhereItWasThenGoesWithOneLine) {
  const ChildResult result = runInChild([] {
    SdlVideo video;
    Graphics graphics;
    DamageTexts texts;
    const auto player = boost::make_shared<StandingOwner>();
    auto bat = boost::make_shared<CaveBat>(graphics, 192.0f, 224.0f);
    texts.addDamageable(player);
    texts.addDamageable(bat);
    const boost::weak_ptr<FloatingNumber> bat_number = bat->damageText;
    bat->takeDamage(1);
    for (int frame = 1; frame <= 300; ++frame) {
      Timer::updateAll(16);
      const size_t before = texts.damageTexts.size();
      texts.update(16);
      if (texts.damageTexts.size() != before) std::printf("dropped in frame %d\n", frame);
      if (bat && !bat->update(16, player->centerX())) bat.reset();
      if (const auto number = bat_number.lock()) {
        if (number->centerX != 208.0f || number->centerY != 240.0f) return 2;
      }
    }
    if (!bat_number.expired()) return 3;
    return texts.damageTexts.size() == 1 && texts.damageTexts.count(player->number) ? 0 : 4;
  });
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(countOf(result.out, kDroppedLine), 1u) << result.out;
  // 2000 ms after the hit is the end of frame 125.
  const std::string ending = kDroppedLine + "dropped in frame 125\n";
  ASSERT_GE(result.out.size(), ending.size());
  EXPECT_EQ(result.out.substr(result.out.size() - ending.size()), ending);
}
