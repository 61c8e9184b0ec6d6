// Mollivo and Umbrino through the host: the blend passes that reach AlphaBlend, the results against
// plain loops, the repeat count and its refusals, the release of every memory object.
#include "BlendRecorder.h"
#include "Picture.h"
#include "PluginFixture.h"
#include "ReferenceBlend.h"
#include "lvx/runtime.h"

namespace lvx::plugins::test {
namespace {

using MollivoTest = PluginFixture;
using UmbrinoTest = PluginFixture;
const std::string kProgress = "Размытие выполнено на ";

// Mollivo's n repetitions as plain loops, drawing the offsets from the generator as it stands.
std::vector<uint8_t> MollivoReference(std::vector<uint8_t> picture, int w, int h, int n) {
    std::vector<uint8_t> memory = picture;
    for (int i = 1; i <= n; ++i) {
        for (int j = 0; j <= 5; ++j) {
            const int dx = lvx::CInt(2.0 * lvx::Rnd() - 1);
            const int dy = lvx::CInt(2.0 * lvx::Rnd() - 1);
            ReferenceBlend(memory, picture, w, h, dx, dy, 255 - 40 * j);
        }
        picture = memory;
    }
    return picture;
}

TEST_F(MollivoTest, RepetitionsMatchTheBlendLoopsAndReachAlphaBlendAsTabled) {
    for (const char* count : {"1", "3"}) {
        Picture picture(9, 7, Varied);
        const std::vector<uint8_t> original = picture.bytes();
        const uint32_t objects = LvxGdi_ObjectCount();
        lvx::SetRndState(0x00ABCDEF);
        BlendRecorder recorder;
        DataObject data("Mollivo.Data");
        user.add("backspace povt 2");
        user.add(std::string("type povt ") + count);
        user.add("enter");
        const RunResult result = data.run(picture.dc(), 9, 7);
        EXPECT_EQ(result.value, -1);
        EXPECT_TRUE(result.argumentsUnchanged);
        EXPECT_EQ(LvxGdi_ObjectCount(), objects);

        const uint32_t afterRun = lvx::RndState();
        lvx::SetRndState(0x00ABCDEF);
        const int n = std::atoi(count);
        EXPECT_EQ(picture.bytes(), MollivoReference(original, 9, 7, n)) << count;
        EXPECT_EQ(lvx::RndState(), afterRun);  // exactly two numbers drawn per pass, nothing else

        ASSERT_EQ(recorder.calls.size(), size_t(6 * n));
        const uint32_t blends[6] = {0x00FF0000, 0x00D70000, 0x00AF0000, 0x00870000, 0x005F0000, 0x00370000};
        for (size_t c = 0; c < recorder.calls.size(); ++c) {
            const BlendCall& call = recorder.calls[c];
            EXPECT_EQ(call.blend, blends[c % 6]);
            EXPECT_EQ(call.src, picture.dc());
            EXPECT_EQ(call.w, 9);
            EXPECT_EQ(call.h, 7);
            EXPECT_TRUE(call.x >= -1 && call.x <= 1 && call.y >= -1 && call.y <= 1);
            EXPECT_EQ(call.result, TRUE);
        }
    }
    EXPECT_EQ(progress(kProgress), (std::vector<std::string>{"0%", "100%", "0%", "33%", "67%", "100%"}));
}

TEST_F(MollivoTest, EightRepetitionsRoundTheirHalvesToEven) {
    Picture picture(4, 4, Varied);
    DataObject data("Mollivo.Data");
    script({"backspace povt 2", "type povt 8", "enter"});
    EXPECT_EQ(data.run(picture.dc(), 4, 4).value, -1);
    EXPECT_EQ(progress(kProgress),
              (std::vector<std::string>{"0%", "12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%"}));
}

TEST_F(MollivoTest, NoRepetitionCopiesOnlyAndReleasesEverything) {
    for (const char* count : {"0", "-5"}) {
        Picture picture(6, 5, Varied);
        const auto before = picture.bytes();
        const uint32_t objects = LvxGdi_ObjectCount();
        const uint32_t state = lvx::RndState();
        BlendRecorder recorder;
        DataObject data("Mollivo.Data");
        user.add("backspace povt 2");
        user.add(std::string("type povt ") + count);
        user.add("enter");
        EXPECT_EQ(data.run(picture.dc(), 6, 5).value, -1);
        EXPECT_EQ(picture.bytes(), before);
        EXPECT_TRUE(recorder.calls.empty());
        EXPECT_EQ(lvx::RndState(), state);
        EXPECT_EQ(LvxGdi_ObjectCount(), objects);
    }
    EXPECT_EQ(progress(kProgress), (std::vector<std::string>{"0%", "0%"}));
}

// A generator state whose next two numbers both exceed 0.75: pass 0 then draws the offsets (1, 1).
uint32_t StateGivingOneOne() {
    for (uint32_t state = 1;; ++state) {
        lvx::SetRndState(state);
        if (lvx::Rnd() > 0.75f && lvx::Rnd() > 0.75f) return state;
    }
}

TEST_F(MollivoTest, PassZeroAtOneOneMovesThePictureAndKeepsColumnAndRowZero) {
    Picture picture(6, 5, Varied);
    const Picture original(6, 5, Varied);
    std::vector<uint32_t> memoryAfterPass0;
    BlendRecorder recorder;
    recorder.afterCall = [&](const BlendCall& call) {
        if (!memoryAfterPass0.empty()) return;
        LvxSurface surface{};
        ASSERT_TRUE(LvxGdi_GetSurface(call.dst, &surface));
        for (int y = 0; y < surface.height; ++y)
            for (int x = 0; x < surface.width; ++x) {
                const uint8_t* p = surface.pixels + y * surface.stride + x * 4;
                memoryAfterPass0.push_back(p[2] | p[1] << 8 | uint32_t(p[0]) << 16);
            }
    };
    lvx::SetRndState(StateGivingOneOne());
    DataObject data("Mollivo.Data");
    script({"backspace povt 2", "type povt 1", "enter"});
    data.run(picture.dc(), 6, 5);
    ASSERT_EQ(recorder.calls.at(0).x, 1);
    ASSERT_EQ(recorder.calls.at(0).y, 1);
    ASSERT_EQ(memoryAfterPass0.size(), 30u);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint32_t expected = x == 0 || y == 0 ? original.at(x, y) : original.at(x - 1, y - 1);
            EXPECT_EQ(memoryAfterPass0[size_t(y * 6 + x)], expected) << x << "," << y;
        }
}

TEST_F(MollivoTest, CountThatIsNotANumberOrTooLargeIsRefusedAndTheDialogStaysOpen) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"abc", "Type mismatch"}, {"", "Type mismatch"}, {"32768", "Overflow"}, {"99999999999", "Overflow"}};
    for (const Case& c : cases) {
        Picture picture(5, 5, Varied);
        const auto before = picture.bytes();
        const uint32_t objects = LvxGdi_ObjectCount();
        log.clear();
        DataObject data("Mollivo.Data");
        user.add("backspace povt 2");
        if (*c.text) user.add(std::string("type povt ") + c.text);
        user.add("enter");
        user.add("esc");
        EXPECT_EQ(data.run(picture.dc(), 5, 5).value, 0) << c.text;
        ASSERT_EQ(log.messageBoxes().size(), 1u) << c.text;
        EXPECT_EQ(log.messageBoxes()[0].text, c.message);
        EXPECT_EQ(log.messageBoxes()[0].title, "Mollivo");
        EXPECT_TRUE(log.captions().empty());
        EXPECT_EQ(picture.bytes(), before);
        EXPECT_EQ(LvxGdi_ObjectCount(), objects);
    }
}

TEST_F(UmbrinoTest, SevenDiagonalPassesReachAlphaBlendAndTheLastIsRefused) {
    Picture picture(8, 6, Varied);
    const std::vector<uint8_t> original = picture.bytes();
    BlendRecorder recorder;
    DataObject data(kUmbrinoClass);
    const RunResult result = data.run(picture.dc(), 8, 6);
    EXPECT_EQ(result.value, 0);
    EXPECT_TRUE(result.argumentsUnchanged);
    EXPECT_TRUE(log.events().empty());  // no dialog

    const uint32_t blends[7] = {0x00D00000, 0x00A80000, 0x00800000, 0x00580000,
                                0x00300000, 0x00080000, 0xFFE00000};
    ASSERT_EQ(recorder.calls.size(), 7u);
    for (int d = -2; d <= 4; ++d) {
        const BlendCall& call = recorder.calls[size_t(d + 2)];
        EXPECT_EQ(call.x, d);
        EXPECT_EQ(call.y, d);
        EXPECT_EQ(call.w, 8);
        EXPECT_EQ(call.h, 6);
        EXPECT_EQ(call.src, picture.dc());
        EXPECT_EQ(call.blend, blends[d + 2]);
        EXPECT_EQ(call.result, d == 4 ? FALSE : TRUE) << d;
    }
    // The memory surface starts opaque black; six passes draw, the seventh nothing.
    std::vector<uint8_t> memory(original.size());
    for (size_t i = 3; i < memory.size(); i += 4)
        memory[i] = 255;
    for (int d = -2; d <= 3; ++d)
        ReferenceBlend(memory, original, 8, 6, d, d, 128 - 40 * d);
    EXPECT_EQ(picture.bytes(), memory);
}

TEST_F(UmbrinoTest, AThousandRunsLeaveNoObjectBehind) {
    Picture picture(16, 16, Varied);
    DataObject data(kUmbrinoClass);
    const uint32_t objects = LvxGdi_ObjectCount();
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(data.run(picture.dc(), 16, 16).value, 0);
    EXPECT_EQ(LvxGdi_ObjectCount(), objects);
}

TEST_F(UmbrinoTest, DegenerateSizesChangeNothingAndLeakNothing) {
    Picture picture(4, 4, Varied);
    const auto before = picture.bytes();
    DataObject data(kUmbrinoClass);
    const uint32_t objects = LvxGdi_ObjectCount();
    for (int16_t size : {0, -3}) {
        EXPECT_EQ(data.run(picture.dc(), size, size).value, 0);
        EXPECT_EQ(picture.bytes(), before);
    }
    EXPECT_EQ(LvxGdi_ObjectCount(), objects);
}

}  // namespace
}  // namespace lvx::plugins::test
