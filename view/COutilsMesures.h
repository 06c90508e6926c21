// The measure tools, the displays of values, the comments and the pictures: their creation
// (placed by a click or tied to a point), their modification, and the link of a display to a
// point and its removal.
#pragma once

#include <vector>

#include "view/COutilsEdition.h"

// A measure or a display described by a table row; the preconditions include those of the
// values (no unit length, no frame, no value...). A new measure shows its creation message.
class COutilMesure : public COutilDesigne {
public:
    using COutilDesigne::COutilDesigne;
    bool isAvailable() override;

protected:
    bool build(CPelvantiDoc* doc) override;
};

// A display, then the point it will follow.
class COutilLiaisonAffichage : public COutilMesure {
public:
    using COutilMesure::COutilMesure;

protected:
    bool build(CPelvantiDoc* doc) override;
};

// One click on a display opens its dialog (or frees it from its point).
class COutilModificationAffichage : public COutilEdition {
public:
    using COutilEdition::COutilEdition;
    bool isAvailable() override;
};

const std::vector<ToolDesc>& measureToolTable();
const std::vector<EditDesc>& displayEditToolTable();
