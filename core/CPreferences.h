// The process-wide preference record. The application reads it from the settings store at
// start-up and writes it back at exit; the model only reads it.
#pragma once

#include <cstdint>
#include <string>

#include "core/CDC.h"

// A font description as the settings store keeps it (ten fields).
struct CLogFont {
    int escapement = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int weight = 400;
    int charSet = 0;
    int height = 19;
    int width = 0;
    int pitchAndFamily = 2;
    std::string faceName = "Times New Roman";
    bool operator==(const CLogFont&) const = default;
};

struct CPreferences {
    bool lowGradeMode = false;            // "LowGradeMode"
    int unity = 1;                        // "Unity": angle unit of new figures, 1 degree, 0 radian
    int pointsNumber = 50;                // "PointsNumber"
    int animationNumberPoints = 50;       // "AnimationNumberPoints"
    int locusPointsNumber = 100;          // "LocusPointsNumber"
    int animationFrequency = 100;         // "AnimationFrequency", milliseconds
    bool cyclicAnimation = true;          // "CyclicAnimation"
    bool pointDigitalSeparator = true;    // "PointDigitalSeparator": true '.', false ','
    bool displaysTranslation = false;     // "DisplaysTranslation"
    COLORREF background = 0xFFFFFF;       // "Background"
    bool visualCreation = true;           // "VisualCreation"
    bool lineEnforcement = true;          // "LineEnforcement"
    bool informationOnMacroError = false; // "InformationOnMacroError"
    bool beepOnMacroError = true;         // "BeepOnMacroError"
    uint32_t toolBars = 8191;             // "ToolBars"
    bool nameAuto = false;                // "NameAuto"
    bool intelligentIntersections = true; // "IntelligentIntersections"
    CLogFont textFont;                    // "Textlf..."
    CLogFont nameFont;                    // "Namelf..."
    // "SmoothDrawing": anti-aliased lines and curves; off draws lines pixel-exact, as figures
    // were drawn before (identical pictures from one run to the next).
    bool smoothDrawing = true;
    // Not stored: the name size last chosen in the naming dialog (index 0..5).
    int defaultNameFontIndex = 1;
};

// The process-wide record.
CPreferences& preferences();
