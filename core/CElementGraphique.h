// Objects that are drawn: colour, masked flag and a name drawn next to the object.
#pragma once

#include <cstdint>
#include <string>

#include "core/CDC.h"
#include "core/CElementBase.h"

// Value meaning "cannot be designated".
inline constexpr int kNotDesignable = 2147483647;

class CElementGraphique : public CElementBase {
    DECLARE_SERIAL(CElementGraphique)
public:
    // Empty instance, for the file reader.
    CElementGraphique();
    CElementGraphique(int8_t colour, bool masked);
    explicit CElementGraphique(int8_t colour);
    CElementGraphique(int8_t colour, bool nameHidden, double anchorX, double anchorY,
                      double offsetX, double offsetY, bool masked, const std::string& name,
                      int8_t nameFontIndex);

    int8_t colour = 1;
    bool nameHidden = false;
    double nameAnchorX = 0, nameAnchorY = 0;  // recomputed, never saved
    double nameOffsetX = 0, nameOffsetY = 0;
    bool masked = false;
    std::string name;
    int8_t nameFontIndex = 1;  // 0..5: 8, 9, 11, 12, 14, 16 points

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    std::string getDisplayName() const override { return getName(); }
    std::string getStatusText() const override;

    virtual void updateNameAnchor();
    virtual void hide() { masked = true; }
    virtual void show() { masked = false; }
    virtual void setName(const std::string& n) { name = n; }
    virtual std::string getName() const { return name; }
    // The name with its terminating zero into a caller's buffer of `size` bytes, cut short
    // (on a character boundary) when it does not fit.
    void getNameInto(char* buffer, size_t size) const;
    virtual void setNameAnchor(double x, double y);
    virtual void setNameOffset(double dx, double dy);
    virtual void drawName(CDC* dc, bool hideMasked, bool respectNameHidden);
    virtual void eraseName(CDC* dc, bool hideMasked, bool respectNameHidden);
    virtual LRect getNameRect(CDC* dc);
    virtual void drawNameFrame(CDC* dc);
    virtual void eraseNameFrame(CDC* dc);
    virtual void setColour(int8_t index) { colour = index; }
    virtual int8_t getColour() const { return colour; }
    // Distance in logical units from the mouse (logical units) to the object; kNotDesignable
    // when it cannot be designated.
    virtual int designationDistance(int x, int y, bool hideMasked);
    virtual int designationDistanceForLinking(int x, int y, bool hideMasked);
    virtual double getAbscissaMax() const { return 1.0; }
    virtual double getAbscissaMin() const { return 0.0; }

    // Copies the user-set attributes (colour, masks, name and its offset and size): used by
    // getClone of every derived class.
    void copyAttributesFrom(const CElementGraphique& src);

    // Point size of a name font index (clamped to 0..5).
    static int namePointSize(int fontIndex);
    // Name font of the preferences at the size of `fontIndex`.
    static CFontDesc nameFont(int fontIndex, bool symbol);

protected:
    // Draws (or measures, when dc draws nothing) the name; returns its width.
    int paintName(CDC* dc, int x, int y, bool draw);
};

// Joins two status texts with " , " when both are non-empty.
std::string joinStatus(const std::string& a, const std::string& b);

// Helpers of texts and computations over parents, shared by every kind of figure object.
namespace fig {
inline bool existing(const CElementBase* e) {
    return e && e->exists;
}
// Name of a parent for texts: a graphic object's name, otherwise its display name.
std::string nameOf(const CElementBase* e);
}  // namespace fig
