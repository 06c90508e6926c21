// A complex number, passed by value.
#pragma once

struct Complexe {
    double re = 0.0;
    double im = 0.0;
    Complexe() = default;
    constexpr Complexe(double r, double i) : re(r), im(i) {}
    bool operator==(const Complexe&) const = default;
};
