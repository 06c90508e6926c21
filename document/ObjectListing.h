// The list of a figure's objects as text, one numbered paragraph per object, for reading and
// printing. It is made on a copy whose unnamed points get automatic names, so that every
// object can be told by the points it is built on; the figure itself is left as it is.
#pragma once

#include <string>

class CPelvantiDoc;

// Empty when the copy cannot be made (`reason` then says why).
std::string objectListing(CPelvantiDoc& doc, std::string* reason = nullptr);
