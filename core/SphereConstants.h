// The sphere on which linear and angular units are converted and distances are
// measured.
#pragma once

constexpr double kSphereRadius = 6370997.0;
// Kept as its own literal: conversions multiply by it instead of dividing by R.
constexpr double kInverseSphereRadius = 1.5696130448656623e-7;
