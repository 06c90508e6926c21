// Displays: rectangles of text or picture shown in a figure, free or tied to a point. A value
// display shows a numeric object between a prefix and a suffix, a comment may embed live values
// and formulas in "#Val(...)" and "#For(...)" fields, and a picture display shows an image file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/CElementGraphique.h"
#include "geometry/CPointAncetre.h"

class CValeurDynamique;
class CPicture;

// Folder of the figure file being loaded or drawn, against which picture displays resolve their
// relative paths. Process-wide: the document sets it when it opens, saves or activates a figure
// (empty for a figure that has no file yet).
void setFigureFolder(const std::string& folder);
const std::string& figureFolder();

class CAffichageLieAPoint : public CElementGraphique {
    DECLARE_SERIAL(CAffichageLieAPoint)
public:
    static constexpr int8_t kDefaultFontIndex = 3;

    CAffichageLieAPoint();
    CAffichageLieAPoint(CPointAncetre* point, double x, double y, int8_t colour = 1);

    std::string text;  // the text shown, recomputed
    CPointAncetre* point = nullptr;
    int8_t fontIndex = kDefaultFontIndex;
    LRect box;              // last layout; not saved
    bool boxValid = false;  // a layout took place since the object was made or read
    bool framed = false;
    bool opaque = false;

    bool isTied() const { return point != nullptr; }

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    std::string getStatusText() const override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    void updateNameAnchor() override;
    void translateBy(double dx, double dy) override { translate(dx, dy); }

    virtual std::string getText();
    virtual void drawText(CDC* dc, bool eraseMode, bool hideMasked);
    virtual void translate(double dx, double dy);

    // Measures the text and places the box (truncated position, text size).
    virtual void layout(CDC* dc);
    // Size of `s` in the display's font, its lines stacked.
    LSize measureText(CDC* dc, const std::string& s) const;
    CFontDesc textFont() const;

protected:
    // Top-left corner of the display, truncated towards zero.
    void corner(int* left, int* top) const;
    std::string tiedText() const;
    void paintText(CDC* dc, const std::string& s, int x, int y) const;
};

class CValeurAffichee : public CAffichageLieAPoint {
    DECLARE_SERIAL(CValeurAffichee)
public:
    CValeurAffichee() = default;
    CValeurAffichee(CValeurDynamique* v, CPointAncetre* point, double x, double y,
                    std::string prefix, std::string suffix, int decimals, int8_t colour = 1);

    CValeurDynamique* V = nullptr;
    std::string prefix, suffix;
    int8_t decimals = 2;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    std::string getText() override;
};

class CCommentaire : public CAffichageLieAPoint {
    DECLARE_SERIAL(CCommentaire)
public:
    CCommentaire() = default;
    CCommentaire(std::string comment, CListeAction* figure, CPointAncetre* point, double x,
                 double y, int8_t colour = 1);

    std::string comment;  // as typed, with its fields
    CListeAction* figure = nullptr;
    std::vector<CValeurDynamique*> values;  // named by the fields; rebuilt from the text

    // New text: the list of values is rebuilt.
    void setComment(const std::string& c);
    void rebuildValueList();

    // The values named by the fields come after the point: the comment depends on them.
    void forEachRef(CRefVisitor& v) override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    std::string getText() override;

    // The shown text of `comment`, its fields replaced; `found` receives the values named.
    static std::string expandFields(const std::string& comment, const CListeAction* figure,
                                    std::vector<CValeurDynamique*>* found);
};

class CImage : public CAffichageLieAPoint {
    DECLARE_SERIAL(CImage)
public:
    static constexpr const char* kPlaceholder = "Fichier Image\r\nnon trouvé\r\nou non valide";

    CImage();
    CImage(std::string absolutePath, std::string relativePath, CListeAction* figure,
           CPointAncetre* point, double x, double y, int8_t colour = 1);
    ~CImage() override;

    CListeAction* figure = nullptr;
    std::string absolutePath, relativePath;
    int32_t width = 0, height = 0;  // logical units
    std::unique_ptr<CPicture> picture;
    bool loaded = false;
    bool loadAttempted = false;
    std::unique_ptr<CCommentaire> placeholder;

    void Serialize(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void setNameOffset(double dx, double dy) override;
    void setNameAnchor(double x, double y) override;
    void setColour(int8_t index) override;
    void drawText(CDC* dc, bool eraseMode, bool hideMasked) override;
    void translate(double dx, double dy) override;
    void layout(CDC* dc) override;

    // Reads and decodes the file (relative path against the figure's folder first, then the
    // absolute path); false when neither gives a picture.
    bool loadPicture();

private:
    void syncPlaceholder();
};
