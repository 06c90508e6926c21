#include "document/CPelvantiDoc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>

#include "core/CArchive.h"
#include "core/CElementBase.h"
#include "core/CHost.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "core/CProgress.h"
#include "document/FigureFile.h"
#include "geometry/CAffichage.h"

namespace {
// Zoom ratios of the zoom commands; 5/6 is the double nearest to 0.8333...
constexpr double kZoomIn = 1.2;
constexpr double kZoomOut = 5.0 / 6.0;
// Far above any real figure; a larger file is refused before it is read into memory.
constexpr off_t kMaxFileSize = off_t{256} << 20;

// A load or a save reports its progress in thousandths of the whole.
constexpr uint64_t kWhole = 1000;

// The reports of one stage, placed within its share [from, to] of the whole.
class StageProgress : public CProgress {
public:
    StageProgress(CProgress* whole, uint64_t from, uint64_t to)
        : whole_(whole), from_(from), to_(to) {}
    void report(uint64_t done, uint64_t total) override {
        if (whole_ && total)
            whole_->report(from_ + (to_ - from_) * std::min(done, total) / total, kWhole);
    }

private:
    CProgress* whole_;
    uint64_t from_, to_;
};

void setReason(std::string* reason, const std::string& text) {
    if (reason) *reason = text;
}

// Runs a read, turning every failure into a French reason.
template <class F>
bool guardedRead(F&& read, std::string* reason) {
    try {
        read();
        return true;
    } catch (const CArchiveException& e) {
        setReason(reason, e.what());
    } catch (const std::bad_alloc&) {
        setReason(reason, "Mémoire insuffisante pour lire la figure.");
    } catch (const std::exception&) {
        setReason(reason, "Le fichier est endommagé : la figure ne peut pas être lue.");
    }
    return false;
}

std::string systemReason(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
            return "accès refusé";
        case ENOENT:
            return "fichier ou dossier introuvable";
        case ENOTDIR:
            return "un élément du chemin n'est pas un dossier";
        case EISDIR:
            return "c'est un dossier";
        case ENOSPC:
            return "plus de place sur le disque";
#ifdef EDQUOT
        case EDQUOT:
            return "quota de disque dépassé";
#endif
        case EROFS:
            return "disque en lecture seule";
        case ENAMETOOLONG:
            return "nom de fichier trop long";
        case EIO:
            return "erreur d'entrée-sortie";
        case EMFILE:
        case ENFILE:
            return "trop de fichiers ouverts";
        default:
            return "erreur système " + std::to_string(err);
    }
}

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string* reason) {
    const std::string prefix = "Impossible de lire le fichier « " + path + " » : ";
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        setReason(reason, prefix + systemReason(errno) + ".");
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        setReason(reason, prefix + "ce n'est pas un fichier ordinaire.");
        return false;
    }
    if (st.st_size > kMaxFileSize) {
        ::close(fd);
        setReason(reason, prefix + "fichier trop volumineux pour être une figure.");
        return false;
    }
    bytes.clear();
    uint8_t chunk[65536];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            setReason(reason, prefix + systemReason(err) + ".");
            return false;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (static_cast<off_t>(bytes.size()) > kMaxFileSize) {
            ::close(fd);
            setReason(reason, prefix + "fichier trop volumineux pour être une figure.");
            return false;
        }
    }
    ::close(fd);
    return true;
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

void CFigureHeader::setBackgroundColour(COLORREF c) {
    backgroundRed = static_cast<uint8_t>(GetRValue(c));
    backgroundGreen = static_cast<uint8_t>(GetGValue(c));
    backgroundBlue = static_cast<uint8_t>(GetBValue(c));
}

CPelvantiDoc::CPelvantiDoc() = default;

CPelvantiDoc::~CPelvantiDoc() {
    graphicList_.clear();
    list_.clear();
}

void CPelvantiDoc::resetToPi() {
    graphicList_.clear();
    list_.clear();
    list_.append(figurefile::makePiEntry().release());
    rebuildGraphicList();
}

void CPelvantiDoc::newFigure() {
    static_cast<CFigureHeader&>(*this) = CFigureHeader();
    setBackgroundColour(preferences().background);
    viewSize = activeDrawingArea();
    path.clear();
    backgroundPicture.reset();
    resetToPi();
    list_.setAngleUnit(preferences().unity);
    list_.computeAll();
    history_.resetHistory();
}

// ---------------------------------------------------------------------------------------------
// Files

std::vector<uint8_t> CPelvantiDoc::saveToBytes(CProgress* progress) {
    std::vector<uint8_t> bytes;
    CArchive ar(CArchive::store, bytes);
    ar.setProgress(progress, list_.entries().size());
    figurefile::writeFigure(ar, *this, list_);
    return bytes;
}

bool CPelvantiDoc::loadFromBytes(const std::vector<uint8_t>& bytes, std::string* reason,
                                 CProgress* progress) {
    auto& buffer = const_cast<std::vector<uint8_t>&>(bytes);
    // A figure of more than "pi" stays untouched by a damaged file: a first reading into
    // scratch objects decides whether the file is sound, and as objects keep pointers to the
    // list they were read into, the figure is then read a second time, into the document's
    // list. A document holding no more than "pi" has nothing to keep and reads the file once.
    const bool keep = list_.count() > 1;
    if (keep) {
        StageProgress check(progress, 0, kWhole / 2);
        bool sound = guardedRead(
            [&] {
                CFigureHeader header;
                CListeAction scratch;
                CArchive ar(CArchive::load, buffer);
                ar.setProgress(&check);
                figurefile::readFigure(ar, header, scratch);
            },
            reason);
        if (!sound) return false;
    }
    CFigureHeader header;
    bool laterVersion = false;
    graphicList_.clear();
    list_.clear();
    StageProgress stage(progress, keep ? kWhole / 2 : 0, kWhole);
    bool read = guardedRead(
        [&] {
            CArchive ar(CArchive::load, buffer);
            ar.setProgress(&stage);
            figurefile::readFigure(ar, header, list_, &laterVersion);
        },
        reason);
    if (!read) {
        reservedText.clear();
        resetToPi();
        history_.resetHistory();
        return false;
    }
    if (laterVersion)
        host().messageBox(figurefile::kLaterVersionMessage, "Korvendal32",
                          MB_OK | MB_ICONEXCLAMATION);
    static_cast<CFigureHeader&>(*this) = std::move(header);
    backgroundPicture.reset();
    rebuildGraphicList();
    CPalette::resetPalette();
    history_.resetHistory();
    if (progress) progress->report(kWhole, kWhole);
    return true;
}

bool CPelvantiDoc::loadFromFile(const std::string& filePath, std::string* reason,
                                CProgress* progress) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(filePath, bytes, reason)) {
        if (list_.empty()) resetToPi();
        return false;
    }
    std::string why;
    // Pictures of the figure are named relative to its folder; they load at the first
    // computation, which may happen while the figure is read.
    const std::string previousFolder = figureFolder();
    setFigureFolder(std::filesystem::path(filePath).parent_path().string());
    if (!loadFromBytes(bytes, &why, progress)) {
        setFigureFolder(previousFolder);
        setReason(reason, "Impossible d'ouvrir la figure « " + filePath + " » :\n" + why);
        return false;
    }
    path = filePath;
    loadBackgroundPicture();
    return true;
}

bool CPelvantiDoc::saveToFile(const std::string& filePath, std::string* reason,
                              CProgress* progress) {
    const std::string prefix = "Impossible d'enregistrer la figure « " + filePath + " » : ";
    // Writing the figure into memory is most of the work; the disk gets the rest.
    StageProgress writing(progress, 0, kWhole * 9 / 10);
    std::vector<uint8_t> bytes = saveToBytes(&writing);

    // Saving through a link replaces the file it points to, not the link.
    std::string target = filePath;
    struct stat linkInfo {};
    if (::lstat(filePath.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(filePath.c_str(), resolved)) target = resolved;
    }
    struct stat old {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        setReason(reason, prefix + systemReason(EISDIR) + ".");
        return false;
    }
    mode_t mode;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const std::string folder = folderOf(target);
    std::string temp = folder + "/." + baseNameOf(target) + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        setReason(reason, prefix + systemReason(errno) + ".");
        return false;
    }
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        setReason(reason, prefix + systemReason(err) + ".");
        return false;
    };
    if (::fchmod(fd, mode) != 0 && errno != EPERM) return fail(errno);
    if (!writeAll(fd, bytes)) return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        setReason(reason, prefix + systemReason(err) + ".");
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        setReason(reason, prefix + systemReason(err) + ".");
        return false;
    }
    // The new name must reach the disk too, or a crash could bring the old file back.
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    path = filePath;
    history_.resetHistory();
    if (progress) progress->report(kWhole, kWhole);
    return true;
}

void CPelvantiDoc::loadBackgroundPicture() {
    backgroundPicture.reset();
    if (backgroundPictureFile.empty()) return;
    std::vector<std::string> candidates;
    if (!backgroundPictureFile.empty() && backgroundPictureFile[0] == '/')
        candidates.push_back(backgroundPictureFile);
    else if (!path.empty())
        candidates.push_back(folderOf(path) + "/" + backgroundPictureFile);
    if (!backgroundPicturePath.empty()) candidates.push_back(backgroundPicturePath);
    for (const std::string& candidate : candidates) {
        std::vector<uint8_t> bytes;
        if (!readWholeFile(candidate, bytes, nullptr)) continue;
        backgroundPicture = host().decodePicture(bytes);
        if (backgroundPicture) {
            backgroundPicturePath = candidate;
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// List states

std::vector<uint8_t> CPelvantiDoc::writeListState() {
    std::vector<uint8_t> bytes;
    CArchive ar(CArchive::store, bytes);
    list_.Serialize(ar);
    return bytes;
}

bool CPelvantiDoc::readListInto(const std::vector<uint8_t>& state, CListeAction& target,
                                std::string* reason) {
    target.clear();
    return guardedRead(
        [&] {
            CArchive ar(CArchive::load, const_cast<std::vector<uint8_t>&>(state));
            target.Serialize(ar);
            figurefile::rebuildLociOnUnitLength(target);
        },
        reason);
}

bool CPelvantiDoc::readListState(const std::vector<uint8_t>& state, std::string* reason) {
    graphicList_.clear();
    if (!readListInto(state, list_, reason)) {
        resetToPi();
        return false;
    }
    rebuildGraphicList();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Structure

void CPelvantiDoc::rebuildGraphicList() {
    list_.buildGraphicList(graphicList_);
}

void CPelvantiDoc::afterStructureChange() {
    rebuildGraphicList();
    if (!list_.unitLength) clipboardUnitCm = 0.0;
}

void CPelvantiDoc::addEntry(CActionAncetre* entry) {
    list_.append(entry);
    afterStructureChange();
}

void CPelvantiDoc::insertVariable(CActionAncetre* entry) {
    list_.insertVariable(entry);
    afterStructureChange();
}

void CPelvantiDoc::removeLast(int n) {
    graphicList_.clear();
    list_.removeLast(n);
    afterStructureChange();
}

void CPelvantiDoc::keepFirst(int n) {
    graphicList_.clear();
    list_.keepFirst(n);
    afterStructureChange();
}

void CPelvantiDoc::deleteWithDependents(const CElementBase* p) {
    graphicList_.clear();
    list_.deleteWithDependents(p);
    afterStructureChange();
}

void CPelvantiDoc::replaceEntryAt(int index, CActionAncetre* entry) {
    graphicList_.clear();
    list_.replaceEntryAt(index, entry);
    afterStructureChange();
}

bool CPelvantiDoc::reclassToEnd(CActionAncetre* entry) {
    bool moved = list_.reclassToEnd(entry);
    afterStructureChange();
    return moved;
}

bool CPelvantiDoc::reclassToBeginning(CActionAncetre* entry) {
    bool moved = list_.reclassToBeginning(entry);
    afterStructureChange();
    return moved;
}

void CPelvantiDoc::translateFigure(double dx, double dy, bool withoutDisplays) {
    list_.translateFigure(dx, dy, withoutDisplays);
}

void CPelvantiDoc::changeAngleUnit(int unit) {
    list_.setAngleUnit(unit);
    for (CActionAncetre* e : list_.entries()) e->element->rebuildFromText(&list_);
    list_.computeAll();
}

void CPelvantiDoc::zoomIn(int width, int height) {
    list_.zoomFigure(width / 2.0, height / 2.0, kZoomIn);
    list_.computeAll();
}

void CPelvantiDoc::zoomOut(int width, int height) {
    list_.zoomFigure(width / 2.0, height / 2.0, kZoomOut);
    list_.computeAll();
}
