#pragma once

class Graphics;

// The picture behind everything; the map draws it first.
class Backdrop {
 public:
  virtual void draw(Graphics& graphics) const = 0;
  virtual ~Backdrop() = default;
};
