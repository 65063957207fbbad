#include "navigation/SurveyFile.h"

#include "core/AtomicFile.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace selvir {
namespace {

std::vector<std::string> lines(const std::filesystem::path& file) {
    std::string bytes;
    readWholeFile(file, bytes);
    std::vector<std::string> out;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> columns(const std::string& line) {
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) {
        out.push_back(field);
    }
    return out;
}

SurveyRow exampleRow() {
    SurveyRow row;
    row.time = LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123};
    row.gpsLatitude = 41.0123456789012;
    row.gpsLongitude = 29.0987654321098;
    row.easting = 512345.674;
    row.northing = 4512345.886;
    row.rawHF = 12.34;
    row.rawLF = 0;
    row.depthHF = 12.84;
    row.depthLF = 0.5;
    row.messageFormat = "NMEA DPT";
    row.soundVelocity = 1500;
    row.offsetA = 0.5;
    row.fixQuality = 4;
    row.rtkHeight = 47.4;
    row.manualTide = 1.2;
    row.rtkTide = 45.4;
    return row;
}

struct Fixture : ::testing::Test {
    test::TempDir dir;
    ManualClock clock{LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123}};
    DataFolders folders{dir / "GVX", LocalDate{2026, 3, 5}};
    std::vector<std::string> problems;
    SurveyFile survey{folders, clock, [this](const std::string& text) { problems.push_back(text); }};
};

using SurveyFileTest = Fixture;

TEST_F(SurveyFileTest, HeaderOnceThenOneRowPerMessage) {
    const SurveyRow row = exampleRow();
    ASSERT_EQ(survey.append(&row), SurveyFile::Outcome::RowWritten);
    ASSERT_EQ(survey.append(&row), SurveyFile::Outcome::RowWritten);
    const auto text = lines(folders.surveyFile());
    ASSERT_EQ(text.size(), 3u);
    EXPECT_EQ(text[0], std::string(kSurveyFileHeader));
    EXPECT_EQ(columns(text[0]).size(), 18u);
    EXPECT_EQ(text[1], text[2]);
    EXPECT_EQ(survey.rowsWritten(), 2u);
    EXPECT_TRUE(problems.empty());
}

TEST_F(SurveyFileTest, ColumnsInHeaderOrderWithTheirFormats) {
    const SurveyRow row = exampleRow();
    survey.append(&row);
    const auto header = columns(std::string(kSurveyFileHeader));
    const auto values = columns(lines(folders.surveyFile()).at(1));
    ASSERT_EQ(values.size(), header.size());
    auto at = [&](const std::string& name) {
        for (std::size_t i = 0; i < header.size(); ++i) {
            if (header[i] == name) {
                return values[i];
            }
        }
        return std::string("<no column>");
    };
    EXPECT_EQ(at("Date"), "2026-03-05 134502123");
    EXPECT_EQ(at("Lat"), "41.0123456789012");
    EXPECT_EQ(at("Lon"), "29.0987654321098");
    EXPECT_EQ(at("Easting"), "512345.67");
    EXPECT_EQ(at("Northing"), "4512345.89");
    EXPECT_EQ(at("Elevation (Hi)"), "-11.64");
    EXPECT_EQ(at("Elevation (Lo)"), "0.70");
    EXPECT_EQ(at("True Depth (Hi)"), "12.84");
    EXPECT_EQ(at("True Depth (Lo)"), "0.50");
    EXPECT_EQ(at("Raw Depth (Hi)"), "12.34");
    EXPECT_EQ(at("Raw Depth (Lo)"), "0");
    EXPECT_EQ(at("Message Format"), "NMEA DPT");
    EXPECT_EQ(at("Sound Velocity"), "1500.00");
    EXPECT_EQ(at("Transducer Draft"), "0.50");
    EXPECT_EQ(at("GPS"), "4");
    EXPECT_EQ(at(" RTK Antenna Height"), "47.40");
    EXPECT_EQ(at("Manual Tide"), "1.20");
    EXPECT_EQ(at("RTK Tide"), "45.40");
}

TEST_F(SurveyFileTest, NoRowStillCreatesTheFileWithItsHeader) {
    EXPECT_EQ(survey.append(nullptr), SurveyFile::Outcome::HeaderOnly);
    EXPECT_EQ(lines(folders.surveyFile()), std::vector<std::string>{std::string(kSurveyFileHeader)});
}

TEST_F(SurveyFileTest, MissingFoldersAreMadeAndTheRowKept) {
    ASSERT_FALSE(std::filesystem::exists(folders.logFolder()));
    const SurveyRow row = exampleRow();
    EXPECT_EQ(survey.append(&row), SurveyFile::Outcome::RowWritten);
    EXPECT_EQ(lines(folders.surveyFile()).size(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(folders.svpFolder()));
}

TEST_F(SurveyFileTest, LockedFileGivesWayToTheFirstFreeAlternative) {
    ASSERT_TRUE(folders.createAll());
    // A folder where the file should be cannot be opened by anyone, root included.
    std::filesystem::create_directory(folders.surveyFile());
    std::filesystem::create_directory(numberedAlternative(folders.surveyFile(), 1));
    const SurveyRow row = exampleRow();
    EXPECT_EQ(survey.append(&row), SurveyFile::Outcome::RowWritten);
    const auto second = numberedAlternative(folders.surveyFile(), 2);
    EXPECT_EQ(survey.file(), second);
    EXPECT_EQ(lines(second).size(), 2u);
    EXPECT_EQ(lines(second)[0], std::string(kSurveyFileHeader));
}

// Nothing can be opened (the file and all 99 alternatives are folders): the rows are kept in order,
// the state is told on each, the problem said once, and everything is written once the file can be.
TEST_F(SurveyFileTest, RowsThatCannotBeWrittenAreKeptAndWrittenInOrderLater) {
    ASSERT_TRUE(folders.createAll());
    std::filesystem::create_directory(folders.surveyFile());
    for (int n = 1; n <= 99; ++n) {
        std::filesystem::create_directory(numberedAlternative(folders.surveyFile(), n));
    }
    std::vector<SurveyFileState> states;
    survey.setStateListener([&](const SurveyFileState& state) { states.push_back(state); });
    SurveyRow row = exampleRow();
    for (int i = 0; i < 3; ++i) {
        row.rawHF = 10 + i;
        EXPECT_EQ(survey.append(&row), SurveyFile::Outcome::RowKept);
    }
    ASSERT_EQ(states.size(), 3u);
    EXPECT_FALSE(states.back().writing);
    EXPECT_EQ(states.back().keptRows, 3u);
    EXPECT_FALSE(states.back().reason.empty());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("kept in memory"), std::string::npos) << problems[0];
    EXPECT_FALSE(survey.writeKeptRows());

    std::filesystem::remove(folders.surveyFile()); // the file can be written again
    EXPECT_TRUE(survey.writeKeptRows());
    EXPECT_TRUE(states.back().writing);
    EXPECT_EQ(survey.rowsWritten(), 3u);
    const auto text = lines(folders.surveyFile());
    ASSERT_EQ(text.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(columns(text[static_cast<std::size_t>(i + 1)])[9], std::to_string(10 + i)) << "in order";
    }
    EXPECT_NE(problems.back().find("3 row(s) kept in memory are saved"), std::string::npos);
}

TEST(SurveyFile, FolderThatCannotBeMadeShowsTheMessage) {
    test::TempDir dir;
    std::ofstream(dir / "GVX") << "a file where the data root should be";
    ManualClock clock;
    std::vector<std::string> problems;
    SurveyFile survey(DataFolders(dir / "GVX", LocalDate{2026, 3, 5}), clock,
                      [&](const std::string& text) { problems.push_back(text); });
    const SurveyRow row = exampleRow();
    EXPECT_EQ(survey.append(&row), SurveyFile::Outcome::RowKept);
    ASSERT_GE(problems.size(), 1u);
    EXPECT_EQ(problems[0], std::string(kCannotCreateLogFolder));
}

TEST_F(SurveyFileTest, ACutLastRowDoesNotSwallowTheNextOne) {
    const SurveyRow row = exampleRow();
    survey.append(&row);
    appendToFile(folders.surveyFile(), "2026-03-05 134502123,41.01"); // power lost mid-row
    survey.append(&row);
    const auto text = lines(folders.surveyFile());
    ASSERT_EQ(text.size(), 4u);
    EXPECT_EQ(text[3], text[1]);
}

} // namespace
} // namespace selvir
