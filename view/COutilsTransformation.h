// Images by transformations: the first clicks designate the centre (the axis, the two ends of
// the vector), a dialog asks for the angle or the ratio, then every click on a transformable
// object builds its image with the same transformation until a right click or Escape. The
// transformation joins the figure with its first image, so that leaving the tool before that
// leaves the figure untouched. Also the tools that change the angle or the ratio of a
// transformation already used.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "geometry/CTransformation.h"
#include "view/COutilsConstruction.h"
#include "view/COutilsModificationParametres.h"

// What a transformation asks for besides its centre, axis or vector.
enum class TransformParam { none, angle, ratio, angleAndRatio, inversionRatio };

struct TransformDesc {
    int command;
    const char* text;  // menu text, under Créer/Image par transformation
    int promptId;      // first designation; the following ids prompt the next steps
    int imagePromptId;
    Nature firstNatures;
    int clicks;  // designations that define the transformation (2 for the vector)
    std::vector<int> unavailable;
    TransformParam param;
    const char* dialogTitle;
    const char* undo;
};

// Natures whose images the tools build; the inversion builds images of points only.
inline constexpr Nature kTransformable = natureMask(0x349bf, 0x41);

class COutilTransformation : public COutilClignotant {
public:
    explicit COutilTransformation(const TransformDesc& d) : desc_(d) {}

    bool activate(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    std::string undoLabel() const override { return desc_.undo; }
    int promptId() const override { return desc_.promptId; }
    void onRightClick(CPelvantiView* view) override;

    // The image of the object under the mouse follows it once the transformation is built.
    void updatePreview(CPelvantiView* view);
    // The transformation in use (owned by the tool until its first image).
    CTransformation* transformation() const { return inList_ ? inList_ : pending_.get(); }

private:
    bool ready() const { return transformation() != nullptr; }
    // Asks for the angle or ratio and creates the transformation; false on Cancel.
    bool makeTransformation(CPelvantiDoc& doc);
    // The transformation of the designations and the typed values.
    void instantiate(CListeAction& list);
    // Entries of the image of `e` (with the transformation first while it is not in the
    // figure); empty when `e` has no image by this transformation.
    ToolEntries imageEntries(CPelvantiDoc& doc, CActionAncetre* e, bool preview);

    TransformDesc desc_;
    std::vector<CElementBase*> designated_;
    CValeurAngle theta_;
    CValeurAssocieeAVariable k_;
    std::unique_ptr<CTransformation> pending_;
    CTransformation* inList_ = nullptr;
};

// Angle or ratio of a transformation already used: its centre blinks, a click opens its dialog.
class COutilModificationTransformation : public COutilModificationParametres {
public:
    COutilModificationTransformation(const ParamModifyDesc& d, TransformParam param)
        : COutilModificationParametres(d), param_(param) {}

protected:
    bool isEligible(CElementBase* e) const override;
    bool edit(CListeAction& list, CElementBase* e) override;

private:
    CTransformation* transformationOf(const CListeAction& list, const CElementBase* centre) const;
    TransformParam param_;
};

const std::vector<TransformDesc>& transformToolTable();
const std::vector<ParamModifyDesc>& transformModifyToolTable();
// The parameter of each modification tool, by command.
TransformParam transformModifyParam(int command);
