// Icons of the palette buttons, painted from the styles they choose.
#pragma once

#include <QIcon>

QIcon colourIcon(int index);
QIcon lineStyleIcon(int style);
QIcon pointStyleIcon(int style);
QIcon fillStyleIcon(int style);
QIcon arrowStyleIcon(int style);
QIcon segmentMarkIcon(int style);
