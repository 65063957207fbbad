#pragma once
// selvirhs-sim as a child process for integration tests: started with its arguments, the two terminal
// paths read from its first output lines, killed when the test ends; and its truth file read back.

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#ifndef SELVIR_BIN_DIR
#error "SELVIR_BIN_DIR names the folder of selvirhs-sim"
#endif

namespace selvir::test {

struct TruthRow {
    std::map<std::string, std::string> fields;
    double number(const std::string& name) const { return parseDouble(fields.at(name)).value_or(-1e300); }
};

inline std::vector<TruthRow> readTruth(const std::filesystem::path& file) {
    std::string text;
    EXPECT_TRUE(readWholeFile(file, text));
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    std::vector<std::string> names;
    std::stringstream header(line);
    for (std::string name; std::getline(header, name, ',');) {
        names.push_back(name);
    }
    std::vector<TruthRow> rows;
    while (std::getline(in, line)) {
        TruthRow row;
        std::stringstream cells(line + ",");
        std::size_t i = 0;
        for (std::string cell; std::getline(cells, cell, ',') && i < names.size(); ++i) {
            row.fields[names[i]] = cell;
        }
        rows.push_back(row);
    }
    return rows;
}

class Simulator {
public:
    explicit Simulator(const QStringList& args) {
        process_.setProgram(QString(SELVIR_BIN_DIR) + "/selvirhs-sim");
        process_.setArguments(args);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        if (!process_.waitForStarted(5000)) {
            return;
        }
        // The two paths are printed once the terminals are open and the mapping is written.
        std::string out;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000 && std::count(out.begin(), out.end(), '\n') < 2) {
            process_.waitForReadyRead(100);
            out += process_.readAllStandardOutput().toStdString();
        }
        std::istringstream lines(out);
        for (std::string name, path; lines >> name >> path;) {
            (name == "GNSS" ? gnssPath_ : sbesPath_) = path;
        }
    }
    ~Simulator() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    bool started() const { return !gnssPath_.empty() && !sbesPath_.empty(); }
    const std::string& gnssPath() const { return gnssPath_; }
    const std::string& sbesPath() const { return sbesPath_; }
    // SIGTERM, then the exit status (-1 when it did not end cleanly).
    int terminate() {
        process_.terminate();
        if (!process_.waitForFinished(5000) || process_.exitStatus() != QProcess::NormalExit) {
            return -1;
        }
        return process_.exitCode();
    }
    bool running() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
    std::string gnssPath_;
    std::string sbesPath_;
};

} // namespace selvir::test
