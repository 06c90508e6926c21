#include "calc/EvaluationState.h"

EvaluationState& evaluationState() {
    static EvaluationState state;
    return state;
}
