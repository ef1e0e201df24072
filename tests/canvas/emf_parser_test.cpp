// The player on files it did not write: a valid picture encoded independently of the writer,
// one damaged fixture per case (refused with a message naming the file, or played without
// harm), and many random mutations of a valid file. Run under AddressSanitizer, these also
// show that nothing is read outside the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "canvas/emf_encoder.hpp"
#include "canvas/emf_player.hpp"
#include "canvas/recording_canvas.hpp"
#include "canvas/sample_drawing.hpp"

namespace qalix {
namespace {

std::filesystem::path fixture(const std::string& name) {
    return std::filesystem::path(QALIX_SOURCE_DIR) / "tests/canvas/fixtures" / name;
}

// What reading the file gives: the refusal's message, or nothing.
std::string refusal(const std::filesystem::path& file) {
    try {
        const EmfPlayer player = EmfPlayer::open(file);
        RecordingCanvas canvas;
        player.play(canvas, {0, 0, 639, 479});
        return {};
    } catch (const MetafileError& e) {
        return e.what();
    }
}

TEST(EmfParser, ReadsAPictureWrittenByAnotherEncoder) {
    const EmfPlayer player = EmfPlayer::open(fixture("valid.emf"));
    const emf::Header& h = player.picture().header;
    EXPECT_EQ(h.bounds, (DeviceRect{50, 30, 300, 150}));
    EXPECT_EQ(h.frame, (DeviceRect{1323, 794, 7938, 3969}));
    EXPECT_EQ(h.records, 16u);
    EXPECT_EQ(h.handles, 3u);
    EXPECT_EQ(h.bytes, 552u);
    EXPECT_EQ(h.description, std::u16string(u"Meta File\0EMF \0\0", 16));
    EXPECT_EQ(h.device, (emf::Extent{1920, 1440}));
    EXPECT_EQ(h.millimetres, (emf::Extent{508, 381}));
    EXPECT_EQ(player.picture().records.size(), 13u);  // the comment record is not drawn
    RecordingCanvas played;
    player.play(played, h.bounds);
    EXPECT_EQ(
        played.lines(),
        (std::vector<std::string>{
            "pen dot 1 (218,19,23)",
            R"(font h=-20 w=0 esc=900 orient=900 weight=700 italic=1 charset=0 pitch=0x12 "Arial")",
            "origin 100 50", "mode advanced", "align right", "move -10 -20", "line 200 100",
            "rect -50 -20 50 20", "text 10 10 \"Hi \xc3\xa9\"", "pen null 0 (0,0,0)"}));
}

TEST(EmfParser, StretchesAForeignPictureByItsFrame) {
    const EmfPlayer player = EmfPlayer::open(fixture("valid.emf"));
    RecordingCanvas played;
    player.play(played, {100, 60, 600, 300});  // twice the bounds (50, 30, 300, 150)
    const std::vector<std::string> lines = played.lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(
        lines[1],
        R"(font h=-40 w=0 esc=900 orient=900 weight=700 italic=1 charset=0 pitch=0x12 "Arial")");
    EXPECT_EQ(lines[2], "origin 200 100");
    EXPECT_EQ(lines[6], "line 400 200");
    EXPECT_EQ(lines[7], "rect -100 -40 100 40");
}

struct HostileCase {
    const char* file;
    const char* reason;  // part of the message, or nullptr when the file plays
};

TEST(EmfParser, DamagedFilesAreRefusedWithAMessageNamingThem) {
    const HostileCase cases[] = {
        {"empty.emf", "the file is empty"},
        {"random_bytes.emf", "does not start with a metafile header"},
        {"truncated_header.emf", "header record is cut short"},
        {"wrong_signature.emf", "lacks the EMF signature"},
        {"truncated_record.emf", "the header gives 552 bytes but the file holds 448"},
        {"record_size_zero.emf", "record 10 (type 27) has a size of 0 bytes"},
        {"record_size_not_multiple_of_4.emf", "record 10 (type 27) has a size of 18 bytes"},
        {"record_size_past_end.emf", "record 11 (type 54) runs past the end of the file"},
        {"text_huge_count.emf", "gives 2147483647 characters, more than it holds"},
        {"text_string_outside_record.emf", "places its text outside the record"},
        {"text_spacing_outside_record.emf", "places its spacing array outside the record"},
        {"no_eof.emf", "ends without an end-of-file record"},
        {"bytes_after_eof.emf", "bytes follow the end-of-file record"},
        {"header_records_huge.emf", "the header gives 4294967295 records"},
        {"record_count_wrong.emf", "holds 16 records but its header gives 17"},
        {"description_outside_header.emf", "places its description outside the header"},
        {"font_record_too_short.emf", "record 4 (type 82) is too short for its fields"},
        {"second_header.emf", "(type 1) is a second header"},
        {"no_such_file.emf", "the file cannot be read"},
        {"unknown_handles_and_records.emf", nullptr},
        {"valid.emf", nullptr},
    };
    for (const HostileCase& c : cases) {
        const std::string message = refusal(fixture(c.file));
        if (c.reason == nullptr) {
            EXPECT_EQ(message, "") << c.file;
            continue;
        }
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.file << ": " << message;
        EXPECT_NE(message.find(c.file), std::string::npos) << message;
        EXPECT_EQ(message.rfind("Cannot read the metafile \"", 0), 0u) << message;
    }
}

TEST(EmfParser, UnknownHandlesAndRecordsAreSkippedWithoutHarm) {
    const EmfPlayer player = EmfPlayer::open(fixture("unknown_handles_and_records.emf"));
    RecordingCanvas played;
    player.play(played, {0, 0, 99, 99});
    // Only the pen made in a real slot and selected while it lived is drawn with; its style
    // bits beyond the six styles make it solid, its negative width 0.
    EXPECT_EQ(played.lines(), std::vector<std::string>{"pen solid 0 (9,8,7)"});
}

TEST(EmfParser, AFileLargerThanTheLimitIsRefusedBeforeItIsRead) {
    const std::filesystem::path big =
        std::filesystem::temp_directory_path() / "qalix_graphics_too_large.emf";
    { std::ofstream(big, std::ios::binary) << "x"; }
    std::filesystem::resize_file(big, emf::kMaxFileBytes + 1);  // sparse: costs no disk
    const std::string message = refusal(big);
    std::filesystem::remove(big);
    EXPECT_NE(message.find("larger than 64 MiB"), std::string::npos) << message;
}

// Mutations of a valid file with a fixed seed: bytes overwritten, 32-bit fields set to
// sizes, counts and offsets that are out of range, and cuts. Each is refused or played.
TEST(EmfParser, MutatedFilesAreRefusedOrPlayedWithoutHarm) {
    EmfEncoder encoder;
    test::drawSample(encoder, 1, 1);
    const std::vector<std::uint8_t> valid = encoder.metafile();
    std::mt19937 random(20240611);
    auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const std::uint32_t awkward[] = {
        0,          1,          3,          8,       0x7FFFFFFF,
        0xFFFFFFFF, 0xFFFFFFF0, 0x80000000, 0x10000, static_cast<std::uint32_t>(valid.size())};
    int refused = 0, played = 0;
    for (int i = 0; i < 4000; ++i) {
        std::vector<std::uint8_t> bytes = valid;
        switch (i % 3) {
            case 0:
                for (std::size_t n = 1 + below(4); n > 0; --n)
                    bytes[below(bytes.size())] = static_cast<std::uint8_t>(below(256));
                break;
            case 1: {
                const std::size_t at = below(bytes.size() / 4) * 4;
                const std::uint32_t v = awkward[below(std::size(awkward))];
                for (unsigned b = 0; b < 4; ++b)
                    bytes[at + b] = static_cast<std::uint8_t>(v >> (8 * b));
                break;
            }
            default:
                bytes.resize(below(bytes.size()));
        }
        try {
            const EmfPlayer player(emf::parseMetafile(bytes, "mutant"));
            RecordingCanvas canvas;
            player.play(canvas,
                        {0, 0, static_cast<int>(below(2000)), static_cast<int>(below(2000))});
            ++played;
        } catch (const MetafileError& e) {
            EXPECT_NE(std::string(e.what()).find("\"mutant\""), std::string::npos);
            ++refused;
        }
    }
    // Both outcomes occur, so the mutations reach past the header checks.
    EXPECT_GT(refused, 1000);
    EXPECT_GT(played, 500);
}

}  // namespace
}  // namespace qalix
