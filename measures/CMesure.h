// Measures: values computed from geometric objects (lengths, angles, abscissas, coordinates and
// affixes in a frame, areas, lengths of polygonal lines) and the parts of a complex value.
// Most are named after the objects they measure, so that a formula can write AB.
#pragma once

#include <memory>
#include <string>

#include "calc/Complexe.h"
#include "values/CCalcul.h"
#include "values/CValeurDynamique.h"

class CListeAction;
class CPointAncetre;
class CRepere;
class CPolygone;
class CLignePolygonaleAncetre;

class CLongueur : public CValeurDynamique {
    DECLARE_SERIAL(CLongueur)
public:
    CLongueur() = default;
    CLongueur(CListeAction* list, CPointAncetre* a, CPointAncetre* b) : list(list), A(a), B(b) {}

    CListeAction* list = nullptr;
    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;
    double value = 0;

    DECLARE_REFS();

    bool isUnitLength() const;

    double getValue() const override { return value; }
    std::string getName() const override;
    int getValueKind() const override { return kind::longueur; }
    // AB answers to BA too.
    bool matchesNameAt(const std::string& text, size_t pos, int* length) const override;
    bool hasName(const std::string& name) const override;
    std::string getCreationMessage() const override;
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

class CMesureAngleGeometrique : public CValeurDynamique {
    DECLARE_SERIAL(CMesureAngleGeometrique)
public:
    CMesureAngleGeometrique() = default;
    CMesureAngleGeometrique(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b)
        : A(a), O(o), B(b) {}

    CPointAncetre* A = nullptr;
    CPointAncetre* O = nullptr;  // vertex
    CPointAncetre* B = nullptr;
    double value = 0;

    DECLARE_REFS();
    double getValue() const override { return value; }
    std::string getName() const override;
    int getValueKind() const override { return kind::angle; }
    std::string getCreationMessage() const override;
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    bool usesNameOf(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    // Both sides exist and are not null; u = OA, v = OB.
    bool sides(double* ux, double* uy, double* vx, double* vy) const;
    virtual std::string measuredText() const { return "Angle géométrique mesuré "; }
};

class CMesureAngleOriente : public CMesureAngleGeometrique {
    DECLARE_SERIAL(CMesureAngleOriente)
public:
    CMesureAngleOriente() = default;
    CMesureAngleOriente(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b)
        : CMesureAngleGeometrique(a, o, b) {}

    std::string getName() const override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;

protected:
    std::string measuredText() const override { return "Angle orienté mesuré "; }
};

// Abscissa of M on the axis (O, I).
class CMesureAbscisse : public CValeurDynamique {
    DECLARE_SERIAL(CMesureAbscisse)
public:
    CMesureAbscisse() = default;
    CMesureAbscisse(CPointAncetre* o, CPointAncetre* i, CPointAncetre* m) : O(o), I(i), M(m) {}

    double value = 0;
    CPointAncetre* O = nullptr;
    CPointAncetre* I = nullptr;
    CPointAncetre* M = nullptr;

    DECLARE_REFS();
    double getValue() const override { return value; }
    std::string getName() const override;
    int getValueKind() const override { return kind::abscisse; }
    std::string getCreationMessage() const override;
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    bool usesNameOf(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

// Coordinates of M in a frame: the abscissa (CMesureX), the ordinate (CMesureY) and the affix.
class CMesureX : public CValeurDynamique {
    DECLARE_SERIAL(CMesureX)
public:
    CMesureX() = default;
    CMesureX(CRepere* frame, CPointAncetre* m) : frame(frame), M(m) {}

    double value = 0;
    CRepere* frame = nullptr;
    CPointAncetre* M = nullptr;

    DECLARE_REFS();
    double getValue() const override { return value; }
    std::string getName() const override;
    int getValueKind() const override { return kind::mesureX; }
    std::string getCreationMessage() const override;
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    bool usesNameOf(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void Serialize(CArchive& ar) override;

protected:
    // Frame coordinates of M; false when the frame or M is missing.
    bool coordinates(double* x, double* y) const;
    // "(M,O,I,J)".
    std::string pointsText() const;
    virtual std::string prefix() const { return "xCoord"; }
    virtual std::string measuredText() const { return "Mesure de l'abscisse du point "; }
};

class CMesureY : public CMesureX {
    DECLARE_SERIAL(CMesureY)
public:
    CMesureY() = default;
    CMesureY(CRepere* frame, CPointAncetre* m) : CMesureX(frame, m) {}

    int getValueKind() const override { return kind::mesureY; }
    void computePosition() override;

protected:
    std::string prefix() const override { return "yCoord"; }
    std::string measuredText() const override { return "Mesure de l'ordonnée du point "; }
};

class CMesureAffixe : public CMesureX {
    DECLARE_SERIAL(CMesureAffixe)
public:
    CMesureAffixe() = default;
    CMesureAffixe(CRepere* frame, CPointAncetre* m) : CMesureX(frame, m) {}

    Complexe complexValue;

    double getValue() const override { return complexValue.re; }
    Complexe getComplexValue() const override { return complexValue; }
    int getValueKind() const override { return kind::affixe; }
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;

protected:
    std::string prefix() const override { return "Aff"; }
    std::string measuredText() const override { return "Mesure de l'affixe du point "; }
};

// Area of a polygon, named by the user.
class CMesureAire : public CCalculAncetre {
    DECLARE_SERIAL(CMesureAire)
public:
    CMesureAire() = default;
    CMesureAire(std::string name, CListeAction* list, CPolygone* polygon)
        : CCalculAncetre(std::move(name)), list(list), polygon(polygon) {}

    CListeAction* list = nullptr;
    CPolygone* polygon = nullptr;
    double value = 0;

    DECLARE_REFS();
    double getValue() const override { return value; }
    int getValueKind() const override { return kind::aire; }
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void Serialize(CArchive& ar) override;
};

// Length of a polygon or a broken line, named by the user.
class CMesureLongueurLigne : public CCalculAncetre {
    DECLARE_SERIAL(CMesureLongueurLigne)
public:
    CMesureLongueurLigne() = default;
    CMesureLongueurLigne(std::string name, CListeAction* list, CLignePolygonaleAncetre* line)
        : CCalculAncetre(std::move(name)), list(list), line(line) {}

    CListeAction* list = nullptr;
    CLignePolygonaleAncetre* line = nullptr;
    double value = 0;

    DECLARE_REFS();
    double getValue() const override { return value; }
    int getValueKind() const override { return kind::longueur; }
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void Serialize(CArchive& ar) override;
};

// Real part of a complex value (a complex calculation or an affix measure); the imaginary
// part, the argument and the modulus derive from it.
class CPartieReelle : public CCalculAncetre {
    DECLARE_SERIAL(CPartieReelle)
public:
    CPartieReelle() = default;
    CPartieReelle(std::string name, CValeurDynamique* z)
        : CCalculAncetre(std::move(name)), complexValue(z) {}

    CValeurDynamique* complexValue = nullptr;
    double value = 0;

    DECLARE_REFS();
    double getValue() const override { return value; }
    int getValueKind() const override { return kind::partieComplexe; }
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void Serialize(CArchive& ar) override;

protected:
    // The part of z; false when it is undefined.
    virtual bool part(Complexe z, double* out) const;
    virtual std::string partText() const { return "Partie réelle nommée "; }
};

class CPartieImaginaire : public CPartieReelle {
    DECLARE_SERIAL(CPartieImaginaire)
public:
    CPartieImaginaire() = default;
    CPartieImaginaire(std::string name, CValeurDynamique* z) : CPartieReelle(std::move(name), z) {}

protected:
    bool part(Complexe z, double* out) const override;
    std::string partText() const override { return "Partie imaginaire nommée "; }
};

class CArgument : public CPartieReelle {
    DECLARE_SERIAL(CArgument)
public:
    CArgument() = default;
    CArgument(std::string name, CValeurDynamique* z) : CPartieReelle(std::move(name), z) {}

protected:
    bool part(Complexe z, double* out) const override;
    std::string partText() const override { return "Argument principal nommé "; }
};

class CModule : public CPartieReelle {
    DECLARE_SERIAL(CModule)
public:
    CModule() = default;
    CModule(std::string name, CValeurDynamique* z) : CPartieReelle(std::move(name), z) {}

protected:
    bool part(Complexe z, double* out) const override;
    std::string partText() const override { return "Module nommé "; }
};
