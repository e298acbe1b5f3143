// The verdict in a platform's own format. VPL reads the standard output: comments in blocks
// between "<|--" and "--|>" (a line "-..." is a title, a line ">..." is shown as it is) and the
// grade as the last line "Grade :=>>N", from VPL_GRADEMIN to VPL_GRADEMAX. Gradescope reads
// results.json: one test per case, each with its score, status, output and visibility.
#include "plataformas.h"

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "compilar.h"
#include "entregas.h"
#include "explicar.h"
#include "notas.h"

namespace {

// A platform's number from the environment, in hundredths.
long long hundredthsFromEnvironment(const char *name, long long otherwise) {
    const char *text = getenv(name);
    const long long value = text != nullptr ? parseHundredths(text) : -1;
    return value >= 0 ? value : otherwise;
}

// The text with the bytes that are not UTF-8 as U+FFFD: a program's output may hold any byte,
// and a platform's page or JSON only text.
std::string validUtf8(const std::string &text) {
    std::string valid;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool whole = length > 0 && i + length <= text.size() && !(length == 2 && c < 0xC2);
        for (size_t k = 1; whole && k < length; ++k)
            whole = (static_cast<unsigned char>(text[i + k]) >> 6) == 2;
        if (whole) {
            valid.append(text, i, length);
            i += length;
        } else {
            valid += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return valid;
}

// VPL's markers inside a comment would end it or fake a grade: a blank breaks them.
std::string withoutMarkers(std::string line) {
    for (const auto &[marker, broken] : {std::pair<std::string, std::string>{"<|--", "<| --"},
                                         {"--|>", "-- |>"}, {":=>>", ":= >>"}}) {
        for (size_t at = line.find(marker); at != std::string::npos; at = line.find(marker, at + broken.size()))
            line.replace(at, marker.size(), broken);
    }
    return line;
}

// A VPL comment block: the title, and the text shown as it is.
void vplBlock(const std::string &title, const std::string &text) {
    printf("<|--\n-%s\n", withoutMarkers(validUtf8(title)).c_str());
    for (const std::string &line : splitLines(validUtf8(text)))
        printf(">%s\n", withoutMarkers(line).c_str());
    printf("--|>\n");
}

std::string jsonText(const std::string &text) {
    std::string json = "\"";
    for (unsigned char c : validUtf8(text)) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c == '\n') {
            json += "\\n";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += static_cast<char>(c);
        }
    }
    return json + "\"";
}

// Without a sandbox, a program may leave a process of its own session running, which could
// later write a grade where the platform reads it. On Linux every such orphan is adopted by the
// checker, which kills them all before it tells the verdict; and the checker's own /proc files
// (its output among them) are closed to the programs. Elsewhere the platform's jail must do it.
void adoptOrphans() {
#ifdef __linux__
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    prctl(PR_SET_DUMPABLE, 0);
#endif
}

void killOrphans() {
    for (int round = 0; round < 100; ++round) {
        bool any = false;
        if (DIR *proc = opendir("/proc")) {
            while (const dirent *entry = readdir(proc)) {
                const pid_t pid = static_cast<pid_t>(atoi(entry->d_name));
                const std::string stat = pid > 0 ? readFile("/proc/" + std::string(entry->d_name) + "/stat").value_or("") : "";
                const size_t close = stat.rfind(')');
                int parent = 0;
                if (close != std::string::npos && sscanf(stat.c_str() + close + 1, " %*c %d", &parent) == 1 &&
                    parent == getpid()) {
                    kill(pid, SIGKILL);
                    any = true;
                }
            }
            closedir(proc);
        }
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        if (!any)
            break;
        usleep(10000);
    }
}

struct Verdict {
    std::string compiled;   // what the compiler said, when the sources do not compile
    std::string warnings;   // its warnings, when they do
    std::string broken;     // why nothing could be checked (no sources, no cases)
    Tally tally;
};

void tellVpl(const Verdict &verdict) {
    const long long low = hundredthsFromEnvironment("VPL_GRADEMIN", 0);
    const long long high = hundredthsFromEnvironment("VPL_GRADEMAX", 1000);
    if (!verdict.broken.empty())
        vplBlock("No se pudo comprobar", verdict.broken);
    if (!verdict.compiled.empty())
        vplBlock("Tu programa no compila", verdict.compiled);
    if (!verdict.warnings.empty())
        vplBlock("El compilador avisa de algo (léelo: suele ser un error a punto de ocurrir)", verdict.warnings);
    int hidden = 0;
    for (const CaseResult &result : verdict.tally.cases) {
        if (result.hidden) {
            vplBlock("Caso oculto " + std::to_string(++hidden) + (result.passed ? ": correcto" : ": incorrecto"), "");
            continue;
        }
        const auto lines = splitLines(result.text);
        std::string rest;
        for (size_t i = 1; i < lines.size(); ++i)
            rest += lines[i] + "\n";
        vplBlock(lines.empty() ? result.name : lines[0], rest);
    }
    const Tally &t = verdict.tally;
    vplBlock(std::to_string(t.passed) + " de " + std::to_string(t.checked) + " casos correctos", "");
    printf("Grade :=>>%s\n", decimalText(low + hundredths(t.passed, t.checked, high - low), '.').c_str());
}

bool tellGradescope(const Verdict &verdict, const fs::path &results) {
    const Tally &t = verdict.tally;
    const long long score = hundredths(t.passed, t.checked, 1000);
    std::string tests;
    auto test = [&](const std::string &name, long long got, long long max, bool passed, const std::string &output,
                    bool hidden) {
        tests += std::string(tests.empty() ? "" : ",\n") + "  {\"name\": " + jsonText(name) +
                 ", \"score\": " + decimalText(got, '.') + ", \"max_score\": " + decimalText(max, '.') +
                 ", \"status\": \"" + (passed ? "passed" : "failed") + "\", \"output\": " + jsonText(output) +
                 ", \"output_format\": \"text\", \"visibility\": \"" + (hidden ? "after_published" : "visible") +
                 "\"}";
    };
    if (!verdict.broken.empty())
        test("Comprobación", 0, 1000, false, verdict.broken, false);
    if (!verdict.compiled.empty())
        test("Compilación", 0, 1000, false, verdict.compiled, false);
    if (!verdict.warnings.empty())
        test("Avisos del compilador", 0, 0, true, verdict.warnings, false);
    // Each case is worth its share of the 10 points; the total is computed whole, from integers.
    const long long share = t.checked > 0 ? hundredths(1, t.checked, 1000) : 0;
    for (const CaseResult &result : t.cases)
        // A hidden case's name is «caso oculto N» already.
        test(result.hidden ? "C" + result.name.substr(1) : "Caso " + result.name, result.passed ? share : 0, share, result.passed, result.text, result.hidden);
    const std::string json = "{\"score\": " + decimalText(score, '.') + ",\n \"output\": " +
                             jsonText(std::to_string(t.passed) + " de " + std::to_string(t.checked) +
                                      " casos correctos") +
                             ",\n \"tests\": [\n" + tests + "\n ]}\n";
    if (results == "-" ? fwrite(json.data(), 1, json.size(), stdout) != json.size() || fflush(stdout) != 0
                       : !writeBytes(results, json)) {
        fprintf(stderr, "No se pudo escribir %s.\n", results.c_str());
        return false;
    }
    fprintf(stderr, "%d de %d casos correctos\n", t.passed, t.checked);
    return true;
}

}  // namespace

int checkOnPlatform(const PlatformRun &platform, const std::string &program, const fs::path &executable,
                    Settings settings) {
    settings.shownAs = "tu programa";
    settings.keepScratch = false;
    adoptOrphans();
    Verdict verdict;
    // Every case is in memory before the student's sources are even compiled (a source could
    // #include a case's expected output); then their folders go.
    const Loaded loaded = loadCases(program, settings);
    if (platform.deleteCases) {
        std::error_code ec;
        for (const auto &roots : {settings.caseRoots, settings.hiddenRoots})
            for (const fs::path &root : roots) {
                fs::remove_all(root, ec);
                if (ec || fs::exists(root, ec))
                    verdict.broken = "No se pudieron borrar los casos antes de ejecutar tu programa: avisa al profesor.";
            }
    }
    if (loaded.cases.empty() && loaded.broken.empty())
        verdict.broken = "No hay casos de «" + program + "»: avisa al profesor.";
    std::vector<fs::path> sources;
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(platform.submission, ec))
        if (entry.is_regular_file(ec) && isSourceName(entry.path().filename().string()))
            sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    if (sources.empty() && verdict.broken.empty())
        verdict.broken = "En tu entrega no hay fuentes (.c o .cpp).";
    if (verdict.broken.empty()) {
        const Compiled compiled = compile(sources, executable, settings.library, compileBox(settings));
        if (!compiled.ok)
            verdict.compiled = notCompiled(compiled);
        else
            verdict.warnings = warningsOf(compiled.log);
    }
    if (verdict.broken.empty() && verdict.compiled.empty()) {
        FILE *quiet = fopen("/dev/null", "w");
        verdict.tally = checkExecutable(program, executable, loaded, settings, quiet != nullptr ? quiet : stderr);
        if (quiet != nullptr)
            fclose(quiet);
    } else {
        // Nothing ran: every case counts, failed.
        verdict.tally.checked = static_cast<int>(loaded.cases.size() + loaded.broken.size());
    }
    killOrphans();
    if (platform.format == "vpl") {
        tellVpl(verdict);
        return fflush(stdout) == 0 ? 0 : 2;
    }
    return tellGradescope(verdict, platform.results) ? 0 : 2;
}
