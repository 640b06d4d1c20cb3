// The scale table: whole processes, each run beside its reference in the same
// run, printed as a markdown table.
//
//   - `zetview info` on a register of a million rows (bench/generate_data.py)
//     against a DOM parse and walk of the same file with pugixml: wall time,
//     and peak memory against the file's size;
//   - `zetview info` with a template of 10,000 objects nested in one another
//     against the same objects side by side, and 100,000 nested against
//     10,000 nested, which a loader that rescans nested content fails.
//
// Each process runs three times, alternating with its reference, and the
// median counts. Wall time comes from
// the clock around fork and wait4, peak memory from the child's rusage.
//
//   zetview_scale_table [--rows] [ROWS]   (ROWS defaults to 1000000)
//
// The generated files are kept in scale-data beside the program.

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string kSource = ZET_SOURCE_DIR;

struct Run
{
    double seconds = 0;
    double peakMegabytes = 0;
};

// Runs the program once, its output thrown away; throws when it fails.
Run runOnce(const std::vector<std::string> &argv)
{
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (wait4(child, &status, 0, &usage) != child)
        throw std::runtime_error("wait4 failed");
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(
            argv[0] + " " + argv.back() + " failed with status " + std::to_string(status));
    return { elapsed.count(), double(usage.ru_maxrss) / 1024.0 };
}

// Medians of three runs of each program, time and memory each on its own.
// The runs alternate, so that a machine that other work slows for a while
// slows both sides alike.
std::pair<Run, Run> medians(const std::vector<std::string> &first, const std::vector<std::string> &second)
{
    std::vector<double> seconds[2];
    std::vector<double> peaks[2];
    for (int i = 0; i < 3; ++i) {
        for (int side = 0; side < 2; ++side) {
            const Run run = runOnce(side == 0 ? first : second);
            seconds[side].push_back(run.seconds);
            peaks[side].push_back(run.peakMegabytes);
        }
    }
    Run result[2];
    for (int side = 0; side < 2; ++side) {
        std::sort(seconds[side].begin(), seconds[side].end());
        std::sort(peaks[side].begin(), peaks[side].end());
        result[side] = { seconds[side][1], peaks[side][1] };
    }
    return { result[0], result[1] };
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool exists(const std::string &path)
{
    struct stat info
    {
    };
    return stat(path.c_str(), &info) == 0;
}

double fileMegabytes(const std::string &path)
{
    struct stat info
    {
    };
    stat(path.c_str(), &info);
    return double(info.st_size) / (1024.0 * 1024.0);
}

// The register of the given rows, made once and kept beside the program.
std::string registerFile(const std::string &folder, long rows)
{
    const std::string path = folder + "/registro-" + std::to_string(rows) + ".xml";
    if (!exists(path)) {
        const std::string command = "python3 '" + kSource + "/bench/generate_data.py' registro "
            + std::to_string(rows) + " > '" + path + ".part' && mv '" + path + ".part' '" + path + "'";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("cannot generate " + path);
    }
    return path;
}

// The list sample's template with its objects replaced by count objects, each
// nested in the one before or side by side.
std::string objectsTemplate(const std::string &folder, int count, bool nested)
{
    const std::string path
        = folder + "/oggetti-" + std::to_string(count) + (nested ? "-annidati" : "-affiancati") + ".zet";
    const std::string sample = readFile(kSource + "/examples/elenco.zet");
    const std::size_t first = sample.find("<zet_object>");
    const std::size_t last = sample.rfind("</zet_object>");
    if (first == std::string::npos || last == std::string::npos)
        throw std::runtime_error("the list sample has no objects");
    const std::string object
        = "<zet_object><Nome>T</Nome><ZeteControlType>1</ZeteControlType><Alto>800</Alto>"
          "<Altezza>200</Altezza><Larghezza>500</Larghezza>"
          "<FonteDati>Voce.[Nome]</FonteDati><Font><Size>9</Size></Font>";
    std::string objects;
    objects.reserve(std::size_t(count) * (object.size() + 20));
    for (int i = 0; i < count; ++i)
        objects += nested ? object : object + "</zet_object>";
    for (int i = 0; nested && i < count; ++i)
        objects += "</Font></zet_object>";
    writeFile(
        path, sample.substr(0, first) + objects + sample.substr(last + std::string("</zet_object>").size()));
    return path;
}

std::string format(double value, const char *unit)
{
    char text[64];
    std::snprintf(text, sizeof text, value >= 100 ? "%.0f%s" : "%.2f%s", value, unit);
    return text;
}

std::string grouped(long number)
{
    const std::string digits = std::to_string(number);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

struct Row
{
    std::string work;
    std::string ours;
    std::string reference;
    double ratio;
    std::string goal;
    bool met;
};

double loadAverage()
{
    double load[1] = { 0 };
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        // --rows: the rows alone, for a table whose head another command
        // prints (make bench-table); the note on the runs goes to stderr.
        bool rowsOnly = false;
        long rows = 1000000;
        for (int i = 1; i < argc; ++i) {
            if (std::string(argv[i]) == "--rows")
                rowsOnly = true;
            else
                rows = std::atol(argv[i]);
        }
        const std::string folder
            = std::string(argv[0]).substr(0, std::string(argv[0]).rfind('/') + 1) + "scale-data";
        mkdir(folder.c_str(), 0755);
        // ZETVIEW_PROGRAM names another build to measure (an older one, say).
        const char *otherProgram = std::getenv("ZETVIEW_PROGRAM");
        const std::string zetview = otherProgram ? otherProgram : ZETVIEW_PROGRAM;
        const std::string data = registerFile(folder, rows);
        const double fileSize = fileMegabytes(data);
        const double loadBefore = loadAverage();

        std::vector<Row> table;
        const auto [ours, dom] = medians(
            { zetview, "info", kSource + "/examples/registro.zet", data }, { PUGIXML_WALK_PROGRAM, data });
        const std::string rowsText = grouped(rows) + " rows";
        table.push_back({ "`zetview info` (read + layout), " + rowsText + ", whole process",
            format(ours.seconds, " s"), "pugixml DOM parse + walk: " + format(dom.seconds, " s"),
            ours.seconds / dom.seconds, "<= 2.5", ours.seconds <= 2.5 * dom.seconds });
        table.push_back({ "peak memory, same run (file " + format(fileSize, " MiB") + ")",
            format(ours.peakMegabytes, " MiB") + " (" + format(ours.peakMegabytes / fileSize, " x file")
                + ")",
            "pugixml DOM: " + format(dom.peakMegabytes, " MiB") + " ("
                + format(dom.peakMegabytes / fileSize, " x file") + ")",
            ours.peakMegabytes / fileSize, "<= 5 x file", ours.peakMegabytes <= 5 * fileSize });

        const std::string listData = folder + "/elenco-10.xml";
        writeFile(listData,
            "<Report><Elenco><Titolo>Prova</Titolo><Voce><Nome>A</Nome></Voce></Elenco></Report>\n");
        const auto [nested, sideBySide]
            = medians({ zetview, "info", objectsTemplate(folder, 10000, true), listData },
                { zetview, "info", objectsTemplate(folder, 10000, false), listData });
        table.push_back({ "template with 10,000 nested objects", format(nested.seconds, " s"),
            "10,000 side by side: " + format(sideBySide.seconds, " s"), nested.seconds / sideBySide.seconds,
            "<= 2 (linear)", nested.seconds <= 2 * sideBySide.seconds });
        const auto [nestedMore, nestedFewer]
            = medians({ zetview, "info", objectsTemplate(folder, 100000, true), listData },
                { zetview, "info", objectsTemplate(folder, 10000, true), listData });
        table.push_back({ "template with 100,000 nested objects", format(nestedMore.seconds, " s"),
            "10,000 nested: " + format(nestedFewer.seconds, " s"), nestedMore.seconds / nestedFewer.seconds,
            "<= 15 (linear: 10; quadratic: 100)", nestedMore.seconds <= 15 * nestedFewer.seconds });

        if (!rowsOnly)
            std::printf("| Work | ZETView | reference | ratio | goal | met |\n|---|---|---|---|---|---|\n");
        for (const Row &row : table) {
            std::printf("| %s | %s | %s | %.2f | %s | %s |\n", row.work.c_str(), row.ours.c_str(),
                row.reference.c_str(), row.ratio, row.goal.c_str(), row.met ? "yes" : "no");
        }
        std::fflush(stdout);
        std::fprintf(rowsOnly ? stderr : stdout,
            "%sMedians of 3 whole processes of %s; load average %.1f before, %.1f after.\n",
            rowsOnly ? "zetview_scale_table: " : "\n", zetview.c_str(), loadBefore, loadAverage());
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "zetview_scale_table: %s\n", error.what());
        return 1;
    }
}
