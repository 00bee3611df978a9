#pragma once

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/scoped_ptr.hpp>
#include <boost/shared_ptr.hpp>

#include "damage_texts.h"
#include "graphics.h"
#include "map.h"
#include "particle_system.h"
#include "pickup.h"
#include "player.h"
#include "test_support.h"
#include "timer.h"

// A player in the real test room, advanced the way the game's frame does it.
class PlayerFixture : public testing::Test {
 protected:
  PlayerFixture()
      : video(),
        graphics(),
        front(),
        entity(),
        tools{front, entity, graphics},
        map(Map::createTestMap(graphics)),
        damageTexts() {}

  // Registered like the game's player, so its damage number rises and fades.
  boost::shared_ptr<Player> makePlayer(GameUnit x, GameUnit y) {
    const boost::shared_ptr<Player> player = boost::make_shared<Player>(graphics, tools, x, y);
    damageTexts.addDamageable(player);
    return player;
  }

  void frame(Player& player, Millis elapsed = 16) {
    Timer::updateAll(elapsed);
    damageTexts.update(elapsed);
    player.update(elapsed, *map);
  }

  void frames(Player& player, int count) {
    for (int i = 0; i < count; ++i) frame(player);
  }

  // Falls and lets the frame settle, as after the player's first landing.
  boost::shared_ptr<Player> settledPlayer(GameUnit x, GameUnit y) {
    boost::shared_ptr<Player> player = makePlayer(x, y);
    frames(*player, 30);
    return player;
  }

  SdlVideo video;
  Graphics graphics;
  ParticleSystem front;
  ParticleSystem entity;
  ParticleTools tools;
  boost::scoped_ptr<Map> map;
  DamageTexts damageTexts;
};

// A pickup that only says what it gives.
class GivingPickup : public Pickup {
 public:
  GivingPickup(PickupType kind, int amount) : kind(kind), amount(amount) {}

  Rectangle collisionRectangle() const override { return Rectangle(0, 0, 0, 0); }
  void draw(Graphics&) override {}
  bool update(Millis, const Map&) override { return true; }
  int value() const override { return amount; }
  PickupType type() const override { return kind; }

  PickupType kind;
  int amount;
};
