#pragma once

namespace zantor {

// The maker's web address: shown on the about page and opened from it. Set the real
// address here before a release.
inline constexpr char kMakerAddress[] = "https://zantor.kelmar.example/";

} // namespace zantor
