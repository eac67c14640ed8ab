// The desktop platform's own behaviour: plain-text message boxes, pauses that
// keep painting, and sound waits measured from the wave file itself.
#include "shell/qt_platform.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

#include "tests/ui/inside_modal.h"

namespace dovanel {
namespace {

TEST(QtPlatform, MessageTextsAreNeverReadAsHtml) {
    const QString folder = "/home/u/x<b>bold</b>&amp;/Dovanel/";
    const auto box =
        MakeMessageBox(nullptr, {"put in\r\r" + folder + "\rENJOY", "", MsgIcon::Information,
                                 MsgButtons::YesNo, MsgAnswer::No});
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->text(), "put in\n\n" + folder + "\nENJOY");
    auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->windowTitle(), "Dovanel");
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
}

// Escape and the close box give the request's escape answer, whatever button Qt
// would take for them; a button still gives its own answer.
TEST(QtPlatform, EscapeAndTheCloseBoxGiveTheEscapeAnswer) {
    struct Case {
        MsgButtons buttons;
        MsgAnswer defaultButton;
        std::optional<MsgAnswer> escape;
        MsgAnswer expected;
    };
    const Case cases[] = {
        {MsgButtons::Ok, MsgAnswer::Ok, {}, MsgAnswer::Ok},
        {MsgButtons::OkCancel, MsgAnswer::Ok, {}, MsgAnswer::Cancel},
        {MsgButtons::YesNo, MsgAnswer::Yes, {}, MsgAnswer::No},
        {MsgButtons::YesNo, MsgAnswer::Yes, MsgAnswer::Cancel, MsgAnswer::Cancel},
        {MsgButtons::YesNo, MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Yes},
        {MsgButtons::AbortRetryIgnore, MsgAnswer::Retry, {}, MsgAnswer::Abort},
        {MsgButtons::YesNoCancel, MsgAnswer::Yes, {}, MsgAnswer::Cancel},
        {MsgButtons::RetryCancel, MsgAnswer::Retry, {}, MsgAnswer::Cancel},
        {MsgButtons::SaveDiscardCancel, MsgAnswer::Save, {}, MsgAnswer::Cancel},
        {MsgButtons::SaveDiscardCancel, MsgAnswer::Discard, MsgAnswer::Cancel, MsgAnswer::Cancel},
    };
    QtPlatform platform;
    for (const Case& c : cases) {
        MessageRequest request{"question", "", MsgIcon::Question, c.buttons, c.defaultButton};
        request.escapeAnswer = c.escape;
        EXPECT_EQ(EscapeAnswer(request), c.expected);
        auto key = [](Qt::Key k) {
            return [k](QDialog& box) {
                QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, k);
            };
        };
        const std::pair<const char*, std::function<void(QDialog&)>> ways[] = {
            {"Escape", key(Qt::Key_Escape)},
            {"close box", [](QDialog& box) { box.close(); }},
            {"Enter", key(Qt::Key_Return)},
        };
        for (const auto& [way, close] : ways) {
            test::InsideNextModal(close);
            const MsgAnswer expected = QString(way) == "Enter" ? c.defaultButton : c.expected;
            EXPECT_EQ(platform.ShowMessage(nullptr, request), expected)
                << way << " buttons " << static_cast<int>(c.buttons);
        }
    }
}

class PaintCounter : public QWidget {
  public:
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(QtPlatform, PauseKeepsPaintingWhatChanges) {
    QtPlatform platform;
    PaintCounter window;
    window.resize(100, 100);
    window.show();
    platform.Pause(0.05);
    const int shown = window.paints;
    EXPECT_GT(shown, 0) << "a window shown just before the pause is painted during it";
    // A change in the middle of the pause is drawn before the pause ends: the
    // later timer finds it painted already.
    int paintsSeenLater = -1;
    QTimer::singleShot(50, &window, [&] { window.update(); });
    QTimer::singleShot(250, &window, [&] { paintsSeenLater = window.paints; });
    platform.Pause(0.4);
    EXPECT_GT(paintsSeenLater, shown);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Le32(quint32 v) {
    QByteArray b;
    for (int i = 0; i < 4; ++i) b += static_cast<char>(v >> (8 * i) & 0xff);
    return b;
}

TEST(QtPlatform, SoundLengthComesFromTheWaveHeader) {
    const QString sounds = QStringLiteral(DOVANEL_PROGRAM_FOLDER);
    EXPECT_NEAR(WaveSeconds(sounds + "message2.wav"), 0.35, 0.001);
    EXPECT_GT(WaveSeconds(sounds + "ClickBg.wav"), 0);
    EXPECT_LT(WaveSeconds(sounds + "ClickBg.wav"), 0.1);
    EXPECT_EQ(SoundWaitMs(0.35), 350 + kSoundMarginMs);

    QTemporaryDir dir;
    // A list chunk before the format and an odd-sized chunk padded to even.
    const QByteArray format = Le32(16) + QByteArray("\x01\x00\x01\x00", 4) + Le32(8000) +
                              Le32(16000) + QByteArray("\x02\x00\x10\x00", 4);
    WriteFile(dir.path() + "/list.wav", "RIFF" + Le32(0) + "WAVE" + "LIST" + Le32(3) + "abc" +
                                            '\0' + "fmt " + format + "data" + Le32(8000));
    EXPECT_DOUBLE_EQ(WaveSeconds(dir.path() + "/list.wav"), 0.5);
    for (const QByteArray& bad : {QByteArray("not a wave file at all"),
                                  "RIFF" + Le32(0) + "WAVE" + "data" + Le32(8000),  // no format
                                  "RIFF" + Le32(0) + "WAVE" + "fmt " + format}) {   // no data
        WriteFile(dir.path() + "/bad.wav", bad);
        EXPECT_LT(WaveSeconds(dir.path() + "/bad.wav"), 0);
    }
    EXPECT_LT(WaveSeconds(dir.path() + "/missing.wav"), 0);
}

// A header may claim a sound of days: the program is held up a few seconds at most.
TEST(QtPlatform, ASoundThatClaimsToBeEndlessIsWaitedForBriefly) {
    QTemporaryDir dir;
    const QByteArray format = Le32(16) + QByteArray("\x01\x00\x01\x00", 4) + Le32(1) + Le32(1) +
                              QByteArray("\x01\x00\x08\x00", 4);
    WriteFile(dir.path() + "/endless.wav",
              "RIFF" + Le32(0) + "WAVE" + "fmt " + format + "data" + Le32(0xFFFFFFFFu));
    const double seconds = WaveSeconds(dir.path() + "/endless.wav");
    EXPECT_GT(seconds, 4e9);
    for (double claimed : {seconds, 1e300, 5.0, 4.9999})
        EXPECT_EQ(SoundWaitMs(claimed), kLongestSoundWaitMs + kSoundMarginMs) << claimed;
    EXPECT_EQ(SoundWaitMs(0), kSoundMarginMs);
}

}  // namespace
}  // namespace dovanel
