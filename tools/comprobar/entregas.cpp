// Finding the program in a student's hand-in, as it arrives from a course platform.
#include "entregas.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "nombres.h"
#include "run.h"

namespace {

constexpr int deepest = 4;               // folders looked into below the student's own
constexpr size_t mostFiles = 200;        // files looked at in one hand-in
constexpr size_t largestArchive = 64u << 20;
constexpr long largestUnpacked = 8L << 20;      // one file of an archive, once unpacked
constexpr uintmax_t mostUnpacked = 32u << 20;   // all that is taken from one archive
constexpr size_t mostTaken = 64;                // files taken from one archive
constexpr int mostArchives = 3;                 // archives opened in one hand-in

enum Kind { CSource, CppSource, Header, Executable, Windows, TextSource, Document, Archive, OtherArchive,
            Link, Other };

struct Found {
    std::string shown;  // its path in the hand-in, as the student knows it (visible)
    fs::path file;      // on disk; empty when an archive's file was not taken out
    int depth = 0;      // folders above it within the hand-in, or within its archive
    Kind kind = Other;
    bool executableBit = false;
};

std::string lower(std::string text) {
    for (char &c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

bool endsWith(const std::string &text, const std::string &end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool endsWithAny(const std::string &text, std::initializer_list<const char *> ends) {
    return std::any_of(ends.begin(), ends.end(), [&](const char *end) { return endsWith(text, end); });
}

// What a file is, by its name and its first bytes: never by what it says it is alone.
Kind kindOf(const std::string &name, const std::string &head, bool executableBit) {
    const std::string extension = fs::path(name).extension().string();
    const std::string low = lower(name);
    if (extension == ".c")
        return CSource;
    // The names gcc and clang take for C++ (.C too: a capital C is C++, not C).
    if (extension == ".cpp" || extension == ".cc" || extension == ".cxx" || extension == ".c++" ||
        extension == ".cp" || extension == ".C" || extension == ".CPP")
        return CppSource;
    if (extension == ".h" || extension == ".hpp" || extension == ".hh")
        return Header;
    if (endsWithAny(low, {".zip", ".tar", ".tar.gz", ".tgz", ".tar.xz", ".tar.bz2"}))
        return Archive;
    if (endsWithAny(low, {".rar", ".7z", ".gz", ".bz2", ".xz", ".z"}))
        return OtherArchive;
    if (head.rfind("MZ", 0) == 0)
        return Windows;
    if (head.rfind("\x7f" "ELF", 0) == 0 || head.rfind("#!", 0) == 0 || head.rfind("\xcf\xfa\xed\xfe", 0) == 0 ||
        head.rfind("\xca\xfe\xba\xbe", 0) == 0)
        return Executable;
    if (endsWithAny(low, {".c.txt", ".cpp.txt", ".cc.txt", ".h.txt", ".c.rtf", ".c.doc", ".c.docx", ".c.odt",
                          ".c.pdf", ".cpp.pdf"}))
        return TextSource;
    if (endsWithAny(low, {".pdf", ".doc", ".docx", ".odt", ".rtf", ".pages", ".txt", ".md"}))
        return Document;
    if (executableBit && extension.empty())
        return Executable;
    return Other;
}

std::string headOf(const fs::path &file) {
    return readFile(file, 4).value_or("");
}

// The files of a folder and of its folders, none of them followed through a link; hidden
// folders (.git) and those a Mac adds to its archives are left out.
void walk(const fs::path &folder, const std::string &prefix, int depth, std::vector<Found> &found) {
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (const auto &entry : fs::directory_iterator(folder, ec))
        entries.push_back(entry);
    std::sort(entries.begin(), entries.end());
    for (const auto &entry : entries) {
        if (found.size() >= mostFiles)
            return;
        const std::string name = entry.path().filename().string();
        const auto status = entry.symlink_status(ec);
        Found item;
        item.shown = prefix + visibleName(name);
        item.depth = depth;
        if (fs::is_symlink(status)) {
            item.kind = Link;
        } else if (fs::is_directory(status)) {
            if (name[0] != '.' && name != "__MACOSX" && depth < deepest)
                walk(entry.path(), item.shown + "/", depth + 1, found);
            continue;
        } else if (fs::is_regular_file(status)) {
            item.file = entry.path();
            item.executableBit = (status.permissions() & fs::perms::owner_exec) != fs::perms::none;
            item.kind = kindOf(name, headOf(item.file), item.executableBit);
        }
        if (name[0] != '.')
            found.push_back(item);
    }
}

// A command on the grader's PATH, or empty.
std::string commandPath(const char *command) {
    const char *path = getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string candidate = folders.substr(start, end - start) + "/" + command;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

// unzip takes a member's name as a pattern: its wildcards are escaped.
std::string literalMember(const std::string &name) {
    std::string escaped;
    for (char c : name) {
        if (c == '[' || c == ']' || c == '*' || c == '?' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// The words of a listing's line, and where the rest of the line begins after `count` of them.
size_t afterWords(const std::string &line, int count, std::string &first) {
    size_t at = 0;
    for (int word = 0; word < count; ++word) {
        at = line.find_first_not_of(' ', at);
        if (at == std::string::npos)
            return std::string::npos;
        const size_t end = line.find(' ', at);
        if (word == 0)
            first = line.substr(at, end - at);
        if (end == std::string::npos)
            return std::string::npos;
        at = end;
    }
    at = line.find_first_not_of(' ', at);
    return at;
}

// Unpacks an archive with unzip or tar, run as any submission is run (the sandbox and the
// limits of runCase): first its listing, then each regular file worth having, one by one, on
// the tool's standard output, so that nothing unpacked reaches a disk unbounded and no link is
// ever made. Returns why it could not, or empty.
std::string unpack(const Found &archive, const fs::path &into, const Settings &settings,
                   std::vector<Found> &found) {
    const bool zip = endsWith(lower(archive.file.filename().string()), ".zip");
    const std::string tool = commandPath(zip ? "unzip" : "tar");
    if (tool.empty())
        return zip ? "que aquí no se puede abrir: falta unzip en el ordenador que corrige"
                   : "que aquí no se puede abrir: falta tar en el ordenador que corrige";
    const auto bytes = readFile(archive.file, largestArchive + 1);
    if (!bytes)
        return "que no se puede leer";
    if (bytes->size() > largestArchive)
        return "que ocupa más de 64 MiB: demasiado para una entrega";
    Case c;
    c.name = "desempaquetar";
    c.batch = true;
    const std::string name = zip ? "entrega.zip" : "entrega.tar";
    c.files.push_back({name, *bytes, false, false});
    RunOptions options;
    options.limits = settings.limits;
    options.limits.outputBytes = largestUnpacked;
    options.sandbox = settings.sandbox && sandboxAvailable();
    c.arguments = zip ? std::vector<std::string>{"-Z", name}
                      : std::vector<std::string>{"--quoting-style=literal", "-tvf", name};
    const Run listing = runCase(tool, c, options);
    cleanUp(listing, false, options.limits);
    if (!listing.started || !listing.finished || listing.status != 0)
        return listing.stopped == Run::Output ? "que guarda demasiados archivos"
                                              : "que no se puede abrir (¿está dañado o a medio descargar?)";
    uintmax_t taken = 0;
    size_t count = 0;
    for (const std::string &line : splitLines(listing.output)) {
        // unzip -Z: permissions, version, system, size, type, method, date, time, name;
        // tar -tv: permissions, owner, size, date, time, name. Regular files start with '-'.
        std::string permissions;
        const size_t at = afterWords(line, zip ? 8 : 5, permissions);
        if (at == std::string::npos || permissions.size() < 7 || permissions[0] != '-')
            continue;
        const std::string member = line.substr(at);
        const fs::path relative = fs::path(member).lexically_normal();
        if (member.empty() || member[0] == '/' || relative.empty() || *relative.begin() == ".." ||
            member.find("__MACOSX") != std::string::npos)
            continue;
        const std::string base = relative.filename().string();
        if (base.empty() || base[0] == '.')
            continue;
        Found item;
        item.shown = archive.shown + "/" + visibleName(member);
        item.depth = static_cast<int>(std::count(member.begin(), member.end(), '/'));
        item.executableBit = permissions.size() > 3 && permissions[3] == 'x';
        item.kind = kindOf(base, "", item.executableBit);
        // Only what may be the program is taken out; the rest is known by its name.
        const bool wanted = item.kind == CSource || item.kind == CppSource || item.kind == Header ||
                            fs::path(base).extension().empty() || lower(base).find(".exe") != std::string::npos ||
                            lower(base).find(".out") != std::string::npos;
        if (wanted && ++count <= mostTaken) {
            c.arguments = zip ? std::vector<std::string>{"-p", name, literalMember(member)}
                              : std::vector<std::string>{"-xOf", name, "--", member};
            const Run run = runCase(tool, c, options);
            cleanUp(run, false, options.limits);
            if (run.stopped == Run::Output)
                return "con " + visibleName(member) + ", que ocupa más de 8 MiB al descomprimirlo";
            if (!run.started || !run.finished || run.status != 0)
                return "que no se puede abrir (¿está dañado o a medio descargar?)";
            taken += run.output.size();
            if (taken > mostUnpacked)
                return "que ocupa más de 32 MiB al descomprimirlo";
            item.file = into / relative;
            std::error_code ec;
            fs::create_directories(item.file.parent_path(), ec);
            FILE *out = fopen(item.file.c_str(), "wb");
            const bool written = out != nullptr &&
                                 fwrite(run.output.data(), 1, run.output.size(), out) == run.output.size();
            if (out == nullptr || fclose(out) != 0 || !written)
                return "que no se pudo desempaquetar aquí";
            item.kind = kindOf(base, run.output.substr(0, 4), item.executableBit);
        }
        found.push_back(item);
        if (found.size() >= mostFiles)
            break;
    }
    return {};
}

std::string expected(const std::string &program) {
    return "se esperaban los fuentes (.c o .cpp) o un ejecutable de «" + program + "»";
}

// What a file that is no program is, told to the student.
const char *whatItIs(Kind kind) {
    switch (kind) {
    case Windows:
        return "es un programa de Windows (.exe), que aquí no se puede ejecutar";
    case TextSource:
        return "parece un fuente guardado como texto o como documento (quítale lo que sobra tras el .c)";
    case Document:
        return "es un documento, no un programa";
    case OtherArchive:
        return "es un archivo comprimido que aquí no se abre (entrégalo como .zip)";
    case Link:
        return "es un enlace simbólico, que no se sigue";
    default:
        return "no es ni un fuente ni un programa";
    }
}

// The same, in a few words for notas.csv.
const char *inShort(Kind kind) {
    switch (kind) {
    case Windows: return " (de Windows)";
    case TextSource: return " (un fuente guardado como texto)";
    case Document: return " (un documento)";
    case OtherArchive: return " (un comprimido que no se abre aquí)";
    case Archive: return " (sin programa dentro)";
    case Link: return " (un enlace, que no se sigue)";
    default: return "";
    }
}

// The program among what was found: the sources of the shallowest folder that has any, or the
// one executable. False when there is neither, or more than one choice.
bool choose(const std::string &program, const std::vector<Found> &found, const fs::path &scratch, HandIn &handIn) {
    int shallowest = deepest + 1;
    for (const Found &item : found)
        if ((item.kind == CSource || item.kind == CppSource) && !item.file.empty())
            shallowest = std::min(shallowest, item.depth);
    if (shallowest <= deepest) {
        std::vector<fs::path> sources;
        for (const Found &item : found)
            if ((item.kind == CSource || item.kind == CppSource) && !item.file.empty() && item.depth == shallowest)
                sources.push_back(item.file);
        std::sort(sources.begin(), sources.end());
        const fs::path folder = sources.front().parent_path();
        if (std::any_of(sources.begin(), sources.end(), [&](const fs::path &p) { return p.parent_path() != folder; })) {
            handIn.wrong = "Tu entrega tiene fuentes en varias carpetas: " + expected(program) +
                           ", todos en una carpeta.";
            handIn.note = "fuentes en varias carpetas";
            return false;
        }
        handIn.sources = sources;
        return true;
    }
    std::vector<const Found *> executables;
    for (const Found &item : found)
        if (item.kind == Executable && !item.file.empty())
            executables.push_back(&item);
    if (executables.size() > 1) {
        std::string names;
        for (const Found *item : executables)
            names += (names.empty() ? "" : ", ") + item->shown;
        handIn.wrong = "Tu entrega tiene varios ejecutables (" + names + "): entrega uno solo, o los fuentes.";
        handIn.note = "varios ejecutables";
        return false;
    }
    if (executables.empty())
        return false;
    const Found &chosen = *executables.front();
    handIn.executable = chosen.file;
    if (access(chosen.file.c_str(), X_OK) != 0) {
        // As a download arrives: without its execute bit. A copy of it gets one.
        std::error_code ec;
        const fs::path copy = scratch / program;
        fs::create_directories(scratch, ec);
        fs::copy_file(chosen.file, copy, fs::copy_options::overwrite_existing, ec);
        fs::permissions(copy, fs::perms::owner_all, fs::perm_options::replace, ec);
        if (ec) {
            handIn.wrong = "No se pudo preparar " + chosen.shown + " para ejecutarlo.";
            handIn.note = "no se pudo preparar";
            return false;
        }
        handIn.executable = copy;
        handIn.told = chosen.shown + " no tiene permiso de ejecución (así llegan las descargas): se "
                                     "comprueba una copia que sí lo tiene.\n";
    }
    return true;
}

}  // namespace

HandIn findProgram(const std::string &program, const fs::path &folder, const fs::path &scratch,
                   const Settings &settings) {
    HandIn handIn;
    std::vector<Found> found;
    walk(folder, "", 0, found);
    if (choose(program, found, scratch, handIn) || !handIn.wrong.empty())
        return handIn;
    // Nothing outside an archive: what the archives hold.
    const size_t plain = found.size();
    int opened = 0;
    for (size_t i = 0; i < plain && opened < mostArchives; ++i) {
        if (found[i].kind != Archive || found[i].file.empty())
            continue;
        ++opened;
        const Found archive = found[i];
        const std::string why = unpack(archive, scratch / "entrega" / std::to_string(i), settings, found);
        if (!why.empty() && handIn.wrong.empty()) {
            handIn.wrong = "Tu entrega tiene " + archive.shown + ", " + why + ": " + expected(program) + ".";
            handIn.note = "sin programa: " + archive.shown + ", " + why;
        }
    }
    if (choose(program, found, scratch, handIn))
        return HandIn{handIn.sources, handIn.executable, handIn.told, {}, {}};
    if (!handIn.wrong.empty())
        return handIn;
    // Neither: the most telling file found names what was handed in instead.
    static const Kind telling[] = {TextSource, Windows, Document, OtherArchive, Archive, Link, Other};
    for (Kind kind : telling) {
        const auto item = std::find_if(found.begin(), found.end(), [kind](const Found &f) { return f.kind == kind; });
        if (item == found.end())
            continue;
        const size_t others = found.size() - 1;
        const std::string more = others == 0   ? std::string()
                                 : others == 1 ? std::string(" (y 1 archivo más)")
                                               : " (y " + std::to_string(others) + " archivos más)";
        handIn.wrong = "Tu entrega tiene " + item->shown + more + ": " + (kind == Archive ? "un archivo comprimido sin programa dentro" : whatItIs(kind)) + "; " +
                       expected(program) + ".";
        handIn.note = "sin programa: " + item->shown + inShort(kind);
        return handIn;
    }
    handIn.wrong = "Tu entrega está vacía: " + expected(program) + ".";
    handIn.note = "entrega vacía";
    return handIn;
}

bool isSourceName(const std::string &name) {
    const Kind kind = kindOf(name, "", false);
    return kind == CSource || kind == CppSource;
}
