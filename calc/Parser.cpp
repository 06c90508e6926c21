#include "calc/Parser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "calc/Arithmetic.h"
#include "calc/BuiltInFunctions.h"
#include "calc/CSourceValeur.h"
#include "calc/EvaluationState.h"
#include "core/CHost.h"
#include "core/CListeAction.h"
#include "core/Messages.h"

namespace {
// Character classes of the syntax check.
enum TokenClass {
    clNumber = 0,
    clSign = 1,
    clMulDiv = 2,
    clPower = 3,
    clFunction = 4,
    clOperand = 5,
    clOpen = 6,
    clClose = 7,
    clComparison = 9,
    clSquare = 11,
};

bool mayFollow(int previous, int next) {
    switch (previous) {
        case clNumber:
        case clOperand:
        case clClose:
        case clSquare:
            return next == clSign || next == clMulDiv || next == clPower || next == clClose ||
                   next == clComparison || next == clSquare;
        case clSign:
        case clMulDiv:
        case clPower:
            return next == clNumber || next == clFunction || next == clOperand || next == clOpen;
        case clFunction:
            return next == clOpen;
        case clOpen:
        case clComparison:
            return next == clNumber || next == clSign || next == clFunction || next == clOperand ||
                   next == clOpen;
        default:
            return false;
    }
}

bool canEnd(int cls) {
    return cls == clNumber || cls == clOperand || cls == clClose || cls == clSquare;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// U+00B2 in UTF-8.
bool isSquareAt(const std::string& t, size_t i) {
    return i + 1 < t.size() && static_cast<unsigned char>(t[i]) == 0xC2 &&
           static_cast<unsigned char>(t[i + 1]) == 0xB2;
}

bool startsWithNoCase(const std::string& text, size_t pos, const std::string& name) {
    if (name.empty() || pos > text.size() || text.size() - pos < name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[pos + i])) !=
            std::tolower(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// Longest name of the entries of `group` at `pos`, and its entry's index; the earlier entry wins
// a tie.
int longestNameAt(const CListeAction* list, const std::string& text, size_t pos, Nature group,
                  const NameOverrides* overrides, CSourceValeur** found, int* index) {
    *found = nullptr;
    *index = -1;
    if (!list) return 0;
    int best = 0;
    for (int i = 0; i < list->count(); ++i) {
        const CActionAncetre* e = list->entries()[i];
        if (!(e->nature & group)) continue;
        auto* v = dynamic_cast<CSourceValeur*>(e->element);
        if (!v) continue;
        int length = 0;
        bool match = false;
        if (overrides && overrides->count(v)) {
            auto range = overrides->equal_range(v);
            for (auto o = range.first; o != range.second; ++o)
                if (startsWithNoCase(text, pos, o->second) &&
                    static_cast<int>(o->second.size()) > length) {
                    match = true;
                    length = static_cast<int>(o->second.size());
                }
        } else {
            match = v->matchesNameAt(text, pos, &length);
        }
        if (match && length > best) {
            best = length;
            *found = v;
            *index = i;
        }
    }
    return best;
}

NameMatch recognise(const CListeAction* list, const std::string& text, size_t pos,
                    const std::string& formal, bool complex, const NameOverrides* overrides) {
    NameMatch m;
    if (pos >= text.size()) return m;
    int lf = startsWithNoCase(text, pos, formal) ? static_cast<int>(formal.size()) : 0;
    int code = -1;
    int lb = findBuiltInFunctionAt(text, pos, complex, &code);
    CSourceValeur* value = nullptr;
    CSourceValeur* function = nullptr;
    Nature values = complex ? (nat::valeurReelle | nat::valeurComplexe) : nat::valeurReelle;
    Nature functions = complex ? nat::fonctionOuSuiteComplexe : nat::fonctionOuSuite;
    int valueIndex, functionIndex;
    int lv = longestNameAt(list, text, pos, values, overrides, &value, &valueIndex);
    int lfn = longestNameAt(list, text, pos, functions, overrides, &function, &functionIndex);
    int longest = std::max({lf, lb, lv, lfn});
    if (longest > 0) {
        int kinds = (lf == longest) + (lb == longest) + (lv == longest) + (lfn == longest);
        if (kinds == 1) {
            m.length = longest;
            if (lf == longest)
                m.isFormalVariable = true;
            else if (lb == longest)
                m.functionCode = code;
            else if (lv == longest) {
                m.value = value;
                m.index = valueIndex;
            } else {
                m.value = function;
                m.index = functionIndex;
            }
        }
    }
    if (complex) {
        bool startsWithI = text[pos] == 'i' || text[pos] == 'I';
        bool valueNamedI = m.value && m.value == value && m.length == 1 && startsWithI;
        if ((m.length == 0 && startsWithI) || valueNamedI) {
            m = NameMatch{};
            m.length = 1;
            m.isImaginaryUnit = true;
        }
    }
    return m;
}

int operandMask(bool complex) {
    return complex ? kind::operandeComplexe : kind::reel;
}

bool checkFormula(const CListeAction* list, const std::string& text, int& messageId, int& position,
                  int maxIndex, const std::string& formal, bool complex, bool beep) {
    const size_t n = text.size();
    const int length = utf8Length(text);
    auto reject = [&](int id, int charIndex, bool clamp = true) {
        messageId = id;
        if (clamp) charIndex = std::clamp(charIndex, 0, std::max(length - 1, 0));
        position = charIndex;
        if (beep) host().beep();
        return false;
    };
    auto at = [&](size_t byteIndex) { return characterIndexOf(text, byteIndex); };

    if (text.empty()) return reject(Msg::enterFormula, 0);
    if (length > kMaxFormulaLength) return reject(Msg::syntaxError, kMaxFormulaLength);

    int depth = 0;
    for (size_t i = 0; i < n; ++i) {
        if (depth < 0) return reject(Msg::parenthesisError, at(i));
        if (text[i] == '(')
            ++depth;
        else if (text[i] == ')')
            --depth;
    }
    if (depth != 0) return reject(Msg::parenthesisError, length);

    int previous = clOpen;
    bool anyToken = false;
    size_t i = 0;
    while (i < n) {
        char c = text[i];
        if (c == ' ') {
            ++i;
            continue;
        }
        int cls = -1;
        size_t len = 1;
        if (isDigit(c) || c == '.') {
            size_t j = i;
            bool point = false;
            while (j < n && (isDigit(text[j]) || text[j] == '.')) {
                if (text[j] == '.') {
                    if (point) return reject(Msg::syntaxError, at(j) - 1);
                    point = true;
                }
                ++j;
            }
            cls = clNumber;
            len = j - i;
        } else {
            NameMatch m = recognise(list, text, i, formal, complex, nullptr);
            if (m.length > 0) {
                if (m.value && m.index > maxIndex) return reject(Msg::valueDefinedLater, at(i));
                if (m.isFormalVariable || m.isImaginaryUnit)
                    cls = clOperand;
                else if (m.functionCode >= 0)
                    cls = clFunction;
                else
                    cls = (m.value->getValueKind() & operandMask(complex)) ? clOperand : clFunction;
                len = static_cast<size_t>(m.length);
            } else {
                switch (c) {
                    case '+':
                    case '-':
                        cls = clSign;
                        break;
                    case '*':
                    case '/':
                        cls = clMulDiv;
                        break;
                    case '^':
                        cls = clPower;
                        break;
                    case '(':
                        cls = clOpen;
                        break;
                    case ')':
                        cls = clClose;
                        break;
                    case '=':
                        cls = clComparison;
                        break;
                    case '<':
                        cls = clComparison;
                        if (i + 1 < n && (text[i + 1] == '=' || text[i + 1] == '>')) len = 2;
                        break;
                    case '>':
                        cls = clComparison;
                        if (i + 1 < n && text[i + 1] == '=') len = 2;
                        break;
                    default:
                        if (isSquareAt(text, i)) {
                            cls = clSquare;
                            len = 2;
                        } else {
                            return reject(Msg::syntaxError, at(i) - 1);
                        }
                }
            }
        }
        if (!mayFollow(previous, cls)) return reject(Msg::syntaxError, at(i + len));
        previous = cls;
        anyToken = true;
        i += len;
    }
    if (!anyToken) return reject(Msg::syntaxError, length, false);
    if (!canEnd(previous)) return reject(Msg::syntaxError, length);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Tree building

class TreeBuilder {
public:
    TreeBuilder(const CListeAction* list, const std::string& text, const std::string& formal,
                bool complex)
        : list_(list), text_(text), formal_(formal), complex_(complex) {}

    std::unique_ptr<CCalculBase> build(int first, int last) {
        // Only unchecked texts nest this deep; they get no tree rather than a stack overflow.
        if (depth_ >= kMaxDepth) return nullptr;
        ++depth_;
        auto tree = buildRange(first, last);
        --depth_;
        return tree;
    }

private:
    static constexpr int kMaxDepth = 256;

    char ch(int i) const { return text_[static_cast<size_t>(i)]; }

    // Rightmost byte of `ops` outside parentheses in [first, last], -1 when none.
    int findRightmost(int first, int last, const char* ops) const {
        int depth = 0;
        for (int k = last; k >= first; --k) {
            char c = ch(k);
            if (c == ')')
                ++depth;
            else if (c == '(')
                depth = depth > 0 ? depth - 1 : 0;
            else if (depth == 0 && c != '\0' && std::strchr(ops, c))
                return k;
        }
        return -1;
    }

    int findRightmostPower(int first, int last, bool* square) const {
        int depth = 0;
        for (int k = last; k >= first; --k) {
            char c = ch(k);
            if (c == ')')
                ++depth;
            else if (c == '(')
                depth = depth > 0 ? depth - 1 : 0;
            else if (depth == 0 && c == '^') {
                *square = false;
                return k;
            } else if (depth == 0 && k > first && static_cast<unsigned char>(c) == 0xB2 &&
                       static_cast<unsigned char>(ch(k - 1)) == 0xC2) {
                *square = true;
                return k - 1;
            }
        }
        return -1;
    }

    std::unique_ptr<CCalculBase> buildRange(int first, int last) {
        while (first <= last && ch(first) == ' ') ++first;
        if (first > last) return nullptr;

        if (int k = findRightmost(first, last, "=<>"); k >= 0) {
            int code = opEqual, leftEnd = k - 1;
            char c = ch(k);
            char before = k > first ? ch(k - 1) : '\0';
            if (c == '<') {
                code = opLess;
            } else if (c == '=') {
                if (before == '<')
                    code = opLessEqual, leftEnd = k - 2;
                else if (before == '>')
                    code = opGreaterEqual, leftEnd = k - 2;
            } else if (before == '<') {
                code = opNotEqual, leftEnd = k - 2;
            } else {
                code = opGreater;
            }
            return std::make_unique<COperation>(code, build(first, leftEnd), build(k + 1, last));
        }
        if (int k = findRightmost(first, last, "+-"); k >= 0) {
            if (k == first) {
                if (ch(k) == '+') return build(first + 1, last);
                return std::make_unique<COperation>(opSub, std::make_unique<CConstante>(0.0),
                                                    build(first + 1, last));
            }
            return std::make_unique<COperation>(ch(k) == '+' ? opAdd : opSub, build(first, k - 1),
                                                build(k + 1, last));
        }
        if (int k = findRightmost(first, last, "*/"); k >= 0)
            return std::make_unique<COperation>(ch(k) == '*' ? opMul : opDiv, build(first, k - 1),
                                                build(k + 1, last));
        bool square = false;
        if (int k = findRightmostPower(first, last, &square); k >= 0) {
            if (square)
                return std::make_unique<CPuissance>(build(first, k - 1),
                                                    std::make_unique<CConstante>(2.0));
            return std::make_unique<CPuissance>(build(first, k - 1), build(k + 1, last));
        }
        // Names are only matched inside the range.
        std::string range = text_.substr(0, static_cast<size_t>(last) + 1);
        NameMatch m =
            recognise(list_, range, static_cast<size_t>(first), formal_, complex_, nullptr);
        if (m.length > 0) return buildName(m, first + m.length, last);
        if (ch(first) == '(') {
            int depth = 0, k = first;
            for (; k <= last; ++k) {
                if (ch(k) == '(')
                    ++depth;
                else if (ch(k) == ')' && --depth == 0)
                    break;
            }
            return build(first + 1, std::min(k, last + 1) - 1);
        }
        return buildNumber(first, last);
    }

    std::unique_ptr<CCalculBase> buildName(const NameMatch& m, int rest, int last) {
        if (m.isFormalVariable) return std::make_unique<CVariableFormelle>();
        if (m.isImaginaryUnit) return std::make_unique<CConstantei>();
        if (m.functionCode >= 0)
            return std::make_unique<CFonction>(m.functionCode, build(rest, last));
        int k = m.value->getValueKind();
        if (k & kind::reel) return std::make_unique<CResultatValeur>(m.value);
        if (complex_ && (k & (kind::calculComplexe | kind::affixe)))
            return std::make_unique<CResultatValeurComplexe>(m.value);
        CSourceValeur* f = m.value->isFunctionObject() ? m.value : nullptr;
        if (!f) return nullptr;
        if (complex_) return std::make_unique<CAppelFonctionComplexe>(f, build(rest, last));
        return std::make_unique<CAppelFonction>(f, build(rest, last));
    }

    std::unique_ptr<CCalculBase> buildNumber(int first, int last) {
        int end = first;
        while (end <= last && (isDigit(ch(end)) || ch(end) == '.')) ++end;
        if (end == first) return nullptr;
        const char* begin = text_.data() + first;
        const char* stop = text_.data() + end;
        double value = 0.0;
#if defined(__cpp_lib_to_chars)
        auto r = std::from_chars(begin, stop, value, std::chars_format::fixed);
        if (r.ec != std::errc() || r.ptr != stop) value = 0.0;
#else
        // The web viewer's library has no floating-point from_chars; its C locale is fixed,
        // so strtod reads the same numbers.
        const std::string digits(begin, stop);
        char* read = nullptr;
        value = std::strtod(digits.c_str(), &read);
        if (read != digits.c_str() + digits.size()) value = 0.0;
#endif
        return std::make_unique<CConstante>(value);
    }

    const CListeAction* list_;
    const std::string& text_;
    const std::string& formal_;
    bool complex_;
    int depth_ = 0;
};

std::unique_ptr<CCalculBase> buildTree(const CListeAction* list, const std::string& text, int first,
                                       int last, const std::string& formal, bool complex) {
    if (text.empty()) return nullptr;
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(text.size()) - 1);
    if (first > last) return nullptr;
    try {
        return TreeBuilder(list, text, formal, complex).build(first, last);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

ConstantFieldResult constantField(const CListeAction* list, const std::string& text,
                                  int emptyMessage, bool complex, bool beep) {
    ConstantFieldResult r;
    if (text.empty()) {
        r.messageId = emptyMessage;
        return r;
    }
    if (!checkFormula(list, text, r.messageId, r.position, 0, "", complex, beep)) return r;
    auto tree = complex ? buildComplexTree(list, text) : buildRealTree(list, text);
    if (!tree) {
        r.messageId = Msg::syntaxError;
        return r;
    }
    if (tree->dependsOnForPositioning(nullptr)) {
        r.messageId = Msg::randForbidden;
        return r;
    }
    clearCalculationError();
    if (complex) {
        r.complexValue = tree->evaluateComplex();
        r.value = r.complexValue.re;
    } else {
        r.value = tree->evaluate();
        r.complexValue = {r.value, 0.0};
    }
    bool failed = isCalculationError();
    clearCalculationError();
    if (failed) {
        r.messageId = Msg::calculationInvalid;
        return r;
    }
    r.ok = true;
    return r;
}
}  // namespace

bool checkRealFormula(const CListeAction* list, const std::string& text, int& messageId,
                      int& position, int maxIndex, const std::string& formalVariableName) {
    return checkFormula(list, text, messageId, position, maxIndex, formalVariableName, false, true);
}

bool checkComplexFormula(const CListeAction* list, const std::string& text, int& messageId,
                         int& position, int maxIndex, const std::string& formalVariableName) {
    return checkFormula(list, text, messageId, position, maxIndex, formalVariableName, true, true);
}

std::unique_ptr<CCalculBase> buildRealTree(const CListeAction* list, const std::string& text,
                                           int first, int last,
                                           const std::string& formalVariableName) {
    return buildTree(list, text, first, last, formalVariableName, false);
}

std::unique_ptr<CCalculBase> buildComplexTree(const CListeAction* list, const std::string& text,
                                              int first, int last,
                                              const std::string& formalVariableName) {
    return buildTree(list, text, first, last, formalVariableName, true);
}

std::unique_ptr<CCalculBase> buildRealTree(const CListeAction* list, const std::string& text,
                                           const std::string& formalVariableName) {
    return buildTree(list, text, 0, static_cast<int>(text.size()) - 1, formalVariableName, false);
}

std::unique_ptr<CCalculBase> buildComplexTree(const CListeAction* list, const std::string& text,
                                              const std::string& formalVariableName) {
    return buildTree(list, text, 0, static_cast<int>(text.size()) - 1, formalVariableName, true);
}

NameMatch recogniseRealName(const CListeAction* list, const std::string& text, size_t pos,
                            const std::string& formalVariableName, const NameOverrides* overrides) {
    return recognise(list, text, pos, formalVariableName, false, overrides);
}

NameMatch recogniseComplexName(const CListeAction* list, const std::string& text, size_t pos,
                               const std::string& formalVariableName,
                               const NameOverrides* overrides) {
    return recognise(list, text, pos, formalVariableName, true, overrides);
}

bool isValidName(const std::string& text) {
    size_t i = 0, n = text.size();
    auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (n == 0 || !isLetter(text[0])) return false;
    while (i < n && (isLetter(text[i]) || text[i] == '\'' || text[i] == '"')) ++i;
    while (i < n && isDigit(text[i])) ++i;
    return i == n;
}

namespace {
// Length of the UTF-8 sequence at i, 1 for a malformed byte.
size_t sequenceLength(const std::string& t, size_t i) {
    unsigned char c = static_cast<unsigned char>(t[i]);
    size_t len = c < 0x80             ? 1
                 : (c & 0xE0) == 0xC0 ? 2
                 : (c & 0xF0) == 0xE0 ? 3
                 : (c & 0xF8) == 0xF0 ? 4
                                      : 1;
    if (i + len > t.size()) return 1;
    for (size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return 1;
    return len;
}
}  // namespace

int utf8Length(const std::string& text) {
    return characterIndexOf(text, text.size());
}

int characterIndexOf(const std::string& text, size_t byteIndex) {
    int count = 0;
    for (size_t i = 0; i < text.size() && i < byteIndex; i += sequenceLength(text, i)) ++count;
    return count;
}

ConstantFieldResult checkConstantField(const CListeAction* list, const std::string& text,
                                       int emptyMessage, bool complex) {
    ConstantFieldResult r = constantField(list, text, emptyMessage, complex, true);
    if (!r.ok && (r.messageId == emptyMessage || r.messageId == Msg::randForbidden ||
                  r.messageId == Msg::calculationInvalid))
        host().beep();
    return r;
}

ConstantFieldResult evaluateConstantFormula(const CListeAction* list, const std::string& text,
                                            bool complex) {
    return constantField(list, text, Msg::enterFormula, complex, false);
}

namespace {
// Calls `visit(match, position)` for every name of `text`, skipping numbers and taking <=, <>
// and >= as one token.
template <class Visit>
void forEachName(const CListeAction* list, const std::string& text, const std::string& formal,
                 bool complex, const NameOverrides* names, Visit visit) {
    size_t i = 0, n = text.size();
    while (i < n) {
        char c = text[i];
        if (isDigit(c) || c == '.') {
            while (i < n && (isDigit(text[i]) || text[i] == '.')) visit(NameMatch{}, i++);
            continue;
        }
        if ((c == '<' && i + 1 < n && (text[i + 1] == '=' || text[i + 1] == '>')) ||
            (c == '>' && i + 1 < n && text[i + 1] == '=')) {
            visit(NameMatch{}, i++);
            visit(NameMatch{}, i++);
            continue;
        }
        NameMatch m = recognise(list, text, i, formal, complex, names);
        visit(m, i);
        i += m.length > 0 ? static_cast<size_t>(m.length) : 1;
    }
}
}  // namespace

void collectNameSpellings(const CListeAction* list, const std::string& text,
                          const std::string& formal, bool complex, NameOverrides& names) {
    std::vector<std::pair<const CSourceValeur*, std::string>> found;
    forEachName(list, text, formal, complex, nullptr, [&](const NameMatch& m, size_t pos) {
        if (m.length > 0 && m.value && names.count(m.value))
            found.emplace_back(m.value, text.substr(pos, static_cast<size_t>(m.length)));
    });
    for (auto& [value, spelling] : found) {
        bool known = false;
        auto range = names.equal_range(value);
        for (auto o = range.first; o != range.second && !known; ++o)
            known = o->second.size() == spelling.size() && startsWithNoCase(spelling, 0, o->second);
        if (!known) names.emplace(value, spelling);
    }
}

std::string renameNamesInFormula(const CListeAction* list, const std::string& text,
                                 const std::string& formal, bool complex,
                                 const NameOverrides& oldNames) {
    const int measures = kind::mesureNommee | (complex ? kind::affixe : 0);
    std::string out;
    forEachName(list, text, formal, complex, &oldNames, [&](const NameMatch& m, size_t pos) {
        if (m.length == 0) {
            out += text[pos];
            return;
        }
        if (m.value && oldNames.count(m.value) && (m.value->getValueKind() & measures))
            out += m.value->getName();
        else
            out.append(text, pos, static_cast<size_t>(m.length));
    });
    return out;
}

bool checkRealFormula(const CListeAction& list, const std::string& text, int& messageId,
                      int& position, int maxIndex, const std::string& formalVariableName) {
    return checkRealFormula(&list, text, messageId, position, maxIndex, formalVariableName);
}

bool checkComplexFormula(const CListeAction& list, const std::string& text, int& messageId,
                         int& position, int maxIndex, const std::string& formalVariableName) {
    return checkComplexFormula(&list, text, messageId, position, maxIndex, formalVariableName);
}

std::unique_ptr<CCalculBase> buildRealTree(const CListeAction& list, const std::string& text,
                                           const std::string& formalVariableName) {
    return buildRealTree(&list, text, formalVariableName);
}

std::unique_ptr<CCalculBase> buildComplexTree(const CListeAction& list, const std::string& text,
                                              const std::string& formalVariableName) {
    return buildComplexTree(&list, text, formalVariableName);
}

int recogniseRealName(const CListeAction& list, const char* text,
                      const std::string& formalVariableName, CSourceValeur*& value,
                      int& functionCode, bool& isFormalVariable) {
    NameMatch m = recogniseRealName(&list, text ? text : "", 0, formalVariableName);
    value = m.value;
    functionCode = m.functionCode;
    isFormalVariable = m.isFormalVariable;
    return m.length;
}

int recogniseComplexName(const CListeAction& list, const char* text,
                         const std::string& formalVariableName, CSourceValeur*& value,
                         int& functionCode, bool& isFormalVariable, bool& isImaginaryUnit) {
    NameMatch m = recogniseComplexName(&list, text ? text : "", 0, formalVariableName);
    value = m.value;
    functionCode = m.functionCode;
    isFormalVariable = m.isFormalVariable;
    isImaginaryUnit = m.isImaginaryUnit;
    return m.length;
}
