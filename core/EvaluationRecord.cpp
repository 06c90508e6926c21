#include "core/EvaluationRecord.h"

EvaluationState& evaluationState() {
    static EvaluationState state;
    return state;
}
