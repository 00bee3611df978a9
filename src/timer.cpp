#include "timer.h"

std::set<Timer*> Timer::timers;

Timer::Timer(Millis expirationTime, bool startActive)
    : counted(startActive ? 0 : expirationTime), expirationTime(expirationTime) {
  timers.insert(this);
}

Timer::Timer(const Timer& other) : counted(other.counted), expirationTime(other.expirationTime) {
  timers.insert(this);
}

Timer& Timer::operator=(const Timer& other) {
  counted = other.counted;
  expirationTime = other.expirationTime;
  return *this;
}

Timer::~Timer() { timers.erase(this); }

void Timer::update(Millis elapsedTime) {
  // No clamping: blinking owners read the overshoot through currentTime.
  if (active()) counted += elapsedTime;
}

void Timer::updateAll(Millis elapsedTime) {
  for (Timer* timer : timers) timer->update(elapsedTime);
}
