#include "core/CPreferences.h"

CPreferences& preferences() {
    static CPreferences prefs;
    return prefs;
}
