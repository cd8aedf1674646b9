#pragma once
// The constants of the geometric method that more than one computation uses.
// They are long double literals: the tables depend on the exact intermediate
// roundings of extended arithmetic, so every computation takes the same digits.

namespace veloquin::physics {

constexpr long double kPi = 3.1415926535897932385L;
constexpr long double kTwoPi = 6.283185307179586477L;
// 4 pi x 1e9: L x L x h / kCylinderDivisor is the volume in m3 of a cylinder of
// circumference L mm and height h mm.
constexpr long double kCylinderDivisor = 12566370614.359172954L;
constexpr long double kMm3ToM3 = 1e-9L;
constexpr long double kGravity = 9.8066L; // m/s2
// 4 pi^2 x steel's modulus of elasticity (2.1e11 Pa) x 1e3 for millimetres.
constexpr long double kElasticity = 8290467696915061.24L;
// The same times 1e9, for the hydrostatic term of a volume in m3.
constexpr long double kElasticityM3 = 8.29046769691506124e24L;

} // namespace veloquin::physics
