#pragma once

// The numeric values pick sheet rows and columns, so they are fixed.
enum HorizontalFacing { LEFT = 0, RIGHT = 1 };
enum VerticalFacing { UP = 0, DOWN = 1, HORIZONTAL = 2 };
