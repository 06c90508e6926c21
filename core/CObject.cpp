#include "core/CObject.h"

#include <map>

#include "core/CArchive.h"

namespace {
std::map<std::string, const CRuntimeClass*, std::less<>>& registry() {
    static std::map<std::string, const CRuntimeClass*, std::less<>> classes;
    return classes;
}

// Hand-written class tags of the earliest file format.
struct EarliestTag {
    unsigned tag;
    const char* className;
};
constexpr EarliestTag kEarliestTags[] = {
    {1003, "CMilieu"}, {1004, "CBipoint"}, {1005, "CSegment"}, {1006, "CVecteur"},
    {1007, "CDroiteAB"}, {1008, "CDroiteParallele"}, {1009, "CDroitePerpendiculaire"},
    {1010, "CMediatrice"}, {1011, "CBissectrice"}, {1012, "CDemiDroiteOA"},
    {1013, "CMarqueAngleGeometrique"}, {1014, "CCercleOA"}, {1015, "CNoeudPondere"},
    {1016, "CBarycentre"}, {1017, "CPointLieBipoint"}, {1018, "CPointLieDroite"},
    {1019, "CPointLieCercle"}, {1020, "CIntDroiteDroite"}, {1021, "CIntDroiteCercle"},
    {1022, "CIntCercleCercle"}, {1023, "CPointBase"}, {1025, "CHomothetie"},
    {1026, "CSymetrieCentrale"}, {1027, "CRotation"}, {1028, "CSymetrieAxiale"},
    {1029, "CTranslation"}, {1030, "CPointImage"}, {1031, "CDroiteImage"},
    {1032, "CDemiDroiteImage"}, {1033, "CCercleImage"}, {1034, "CValeurAffichee"},
    {1035, "CArcDeCercle"}, {1036, "CGrandArcDeCercle"}, {1037, "CArcDeCercleDirect"},
    {1038, "CArcDeCercleIndirect"}, {1039, "CLieuDePoints"}, {1040, "CDroiteDirectionFixe"},
    {1041, "CRepere"}, {1042, "CPointDansRepere"}, {1043, "CLieuParVariable"},
    {1044, "CCommentaire"}, {1045, "CDroiteOm"}, {1046, "CCercleOR"}, {1047, "CPointProjete"},
    {1048, "CPointLiePoint"}, {1049, "CAutrePointIntersectionCercles"},
    {1050, "CAutrePointIntersectionDroiteCercle"}, {1051, "CNoeudPointeurSurPoint"},
    {1052, "CPolygone"}, {1053, "CSurfacePolygone"}, {1054, "CSurfaceDisque"},
    {1055, "CSurfaceSecteurCirculaire"}, {1056, "CSurfaceLieu"}, {1057, "CSurfaceLieuDroite"},
    {1058, "CObjetDuplique"}, {1059, "CMarqueAngleOriente"}, {1060, "CSurfaceLieuDeuxPoints"},
    {1061, "CSurfaceDeuxLieux"}, {1062, "CGrapheSuiteRec"}, {1063, "CPointParAbscisse"},
    {1100, "CAction"}, {1102, "CActionSousListe"},
    {1201, "CVariableBornee"}, {1202, "CValeurAssocieeAVariable"}, {1203, "CLongueur"},
    {1204, "CMesureAngleGeometrique"}, {1205, "CMesureAngleOriente"}, {1207, "CMesureAbscisse"},
    {1208, "CCalcul"}, {1209, "CCalcConst"}, {1210, "CFonc"}, {1211, "CSuiteRec"},
    {1301, "CConstante"}, {1302, "CResultatValeur"}, {1303, "COperation"}, {1304, "CFonction"},
    {1305, "CPuissance"}, {1306, "CVariableFormelle"}, {1307, "CAppelFonction"},
    {1400, "CMacroApparition"}, {1401, "CMacroDisparition"}, {1402, "CMacroAnimationPointLie"},
    {1403, "CMacroAffectationValeurVariable"}, {1404, "CMacroTraceAuto"},
    {1405, "CMacroTraceAutoParVariable"}, {1406, "CMacroIncrementationVariable"},
    {1407, "CMacroDecrementationVariable"},
};
}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", 0xFFFF, false, nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

void CObject::readPreviousFormat(CArchive&) {
    CArchive::fail(CArchiveException::badClass,
                   std::string("Objet de type ") + GetRuntimeClass()->className +
                       " inconnu de l'ancien format de fichier.");
}

bool CRuntimeClass::isDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->baseClass)
        if (c == base) return true;
    return false;
}

std::unique_ptr<CObject> CRuntimeClass::create() const {
    return createObject ? std::unique_ptr<CObject>(createObject()) : nullptr;
}

const CRuntimeClass* CRuntimeClass::fromName(std::string_view name) {
    auto& r = registry();
    auto it = r.find(name);
    return it == r.end() ? nullptr : it->second;
}

const CRuntimeClass* CRuntimeClass::fromEarliestTag(unsigned tag) {
    for (const EarliestTag& t : kEarliestTags)
        if (t.tag == tag) return fromName(t.className);
    return nullptr;
}

std::vector<const CRuntimeClass*> CRuntimeClass::registered() {
    std::vector<const CRuntimeClass*> out;
    for (const auto& [name, cls] : registry()) out.push_back(cls);
    return out;
}

CRuntimeClassRegistrar::CRuntimeClassRegistrar(const CRuntimeClass* cls) {
    registry()[cls->className] = cls;
}
