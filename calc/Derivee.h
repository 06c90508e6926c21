// Symbolic derivative of an expression tree with respect to the formal variable.
#pragma once

#include <memory>

#include "calc/CCalculBase.h"

// A new tree owned by the caller; `tree` is only read. Built with the angle unit in force
// (degree mode multiplies the derivatives of trigonometric functions by pi/180 or 180/pi).
std::unique_ptr<CCalculBase> derive(const CCalculBase* tree);
