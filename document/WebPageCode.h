// The HTML fragment that shows a saved figure in a web page through the figure viewer applet.
#pragma once

#include <string>

#include "core/CDC.h"

// The fragment for the figure file `path` shown in a drawing area of `area` logical units (the
// applet takes the view's size in pixels). Lines end with "\r\n".
std::string buildWebPageCode(const std::string& path, LSize area);

// What follows the last folder separator of `path` ("/" or "\\"): the whole path without one.
std::string fileNameOfPath(const std::string& path);
