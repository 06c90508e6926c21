// The process-wide evaluation record of formulas: the failure flag through which an undefined
// result propagates, the angle unit in force and the random-draw switches. It is one record
// for the process because evaluations never nest across figures (one user-interface thread),
// and the figure list publishes its angle unit here before every recomputation.
#pragma once

struct EvaluationState {
    bool failed = false;  // raised by any failing step of an evaluation
    int angleUnit = 0;    // 0 radian, 1 degree; published by the list being recomputed
    double degreesToRadians = 0.017453292519943295;
    double radiansToDegrees = 57.295779513082323;
    bool redrawRandom = false;     // "Tout redessiner": every Rand draws again and keeps it
    bool transientRandom = false;  // animations: every Rand draws on each evaluation
};

EvaluationState& evaluationState();
