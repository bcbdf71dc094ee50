// The commands of the main window: save, clear, the clipboard copy, capture, progress display,
// the view command, and the two hidden commands.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QSignalSpy>
#include <QTest>
#include <thread>

#include "app/result_file.h"
#include "app_fixture.h"
#include "text/codepage.h"

namespace vt::test {
namespace {

Text Cp936(const char* utf8) {
    return Utf8ToCp936(utf8);
}

QByteArray FileContent(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(ResultFileStem, DropsTrailingZeroTimeParts) {
    const struct {
        QDateTime when;
        const char* stem;
    } cases[] = {
        {{{2024, 1, 5}, {9, 3, 7}}, "2024年1月5日9时3分7秒"},
        {{{2024, 1, 5}, {14, 30, 0}}, "2024年1月5日14时30分"},
        {{{2024, 1, 5}, {8, 0, 0}}, "2024年1月5日8时"},
        {{{2024, 1, 5}, {0, 0, 0}}, "2024年1月5日"},
        {{{2024, 1, 5}, {0, 0, 9}}, "2024年1月5日0时0分9秒"},
        {{{2024, 12, 31}, {23, 59, 0}}, "2024年12月31日23时59分"},
    };
    for (const auto& c : cases) EXPECT_EQ(ResultFileStem(c.when), QString::fromUtf8(c.stem));
}

class SaveTest : public AppFixture {
  protected:
    // Saves and returns the path of the file written (the name of the second it was saved in).
    QString Save() {
        const QString before = ResultFileStem(QDateTime::currentDateTime());
        window->SaveCommand();
        const QString after = ResultFileStem(QDateTime::currentDateTime());
        const QString stem = QFile::exists(directory.filePath(after + ".txt")) ? after : before;
        lastStem = stem;
        return directory.filePath(stem + ".txt");
    }
    QString lastStem;
};

TEST_F(SaveTest, AppendsUtf8TextAndCrLfThenConfirms) {
    window->Controls().resultBox->setPlainText(QString::fromUtf8("第一行\n二"));
    const QString file = Save();
    EXPECT_EQ(FileContent(file), QByteArray("第一行\r\n二\r\n"));
    const auto messages = recording->Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Cp936("导出成功,文件保存在软件所在目录\r\n") +
                                    Utf8ToCp936((lastStem + ".txt").toStdString()));
    EXPECT_EQ(messages[0].icon, MessageIcon::kNone);
    EXPECT_EQ(messages[0].title, Cp936("信息："));
}

TEST_F(SaveTest, ExistingFileIsAppendedToAndEmptyBoxWritesCrLf) {
    window->Controls().resultBox->setPlainText(QString());
    const QString stem = ResultFileStem(QDateTime::currentDateTime());
    // Whatever second the save lands in, its file exists already.
    for (int s = 0; s < 3; ++s) {
        const QString name = ResultFileStem(QDateTime::currentDateTime().addSecs(s)) + ".txt";
        QFile file(directory.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old\r\n");
    }
    const QString file = Save();
    EXPECT_EQ(FileContent(file), QByteArray("old\r\n\r\n"));
}

TEST_F(SaveTest, UnwritableFileIsReportedNotConfirmed) {
    window->Controls().resultBox->setPlainText("abc");
    ASSERT_TRUE(directory.remove());
    window->SaveCommand();
    const auto messages = recording->Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, MessageIcon::kStop);
    EXPECT_NE(messages[0].text.find(Cp936("导出失败")), Text::npos);
    EXPECT_NE(messages[0].text.find(directory.path().toStdString()), Text::npos);
}

// Every change of the result box puts its whole text on the clipboard.
class ClipboardTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged,
                         [this] { copies.push_back(QApplication::clipboard()->text()); });
    }
    void TearDown() override {
        QApplication::clipboard()->disconnect();
        AppFixture::TearDown();
    }
    QStringList copies;
};

TEST_F(ClipboardTest, EachAppendedLineCopiesTheWholeText) {
    // Lines arrive from a worker thread, as the recognition job appends them.
    std::thread worker([&] {
        for (const char* line : {"one", "two", "three"}) {
            window->WorkerServices().AppendControlText("编辑框1", Text(line));
        }
    });
    while (!QTest::qWaitFor([&] { return copies.size() >= 3; }, 10)) {
    }
    worker.join();
    EXPECT_EQ(copies, QStringList({"one", "onetwo", "onetwothree"}));
    EXPECT_EQ(window->Controls().resultBox->toPlainText(), "onetwothree");
}

TEST_F(ClipboardTest, AddressModeLinesAndClearReachTheClipboard) {
    window->WorkerServices().AppendControlText("编辑框1", Text("a\r\n"));
    window->WorkerServices().AppendControlText("编辑框1", Cp936("中文\r\n"));
    EXPECT_EQ(window->WorkerServices().ControlText("编辑框1"), Cp936("a\r\n中文\r\n"));
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("a\n中文\n"));
    window->ClearCommand();
    EXPECT_EQ(window->Controls().resultBox->toPlainText(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QString());
    EXPECT_EQ(copies.size(), 3);
}

TEST_F(AppFixture, CancelledCaptureShowsWindowAgainAndChangesNothing) {
    captureResult = 0;
    window->CaptureCommand();
    EXPECT_FALSE(windowVisibleDuringCapture);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Controls().picture->Picture().empty());
    QTest::qWait(50);
    EXPECT_TRUE(recording->Jobs().empty());
    EXPECT_FALSE(window->Controls().timer->isActive());
}

TEST_F(AppFixture, ConfirmedCaptureShowsBmpAndSendsJpeg) {
    capturedBmp = BmpBytes(40, 20, 0x336699);
    window->CaptureCommand();
    EXPECT_FALSE(windowVisibleDuringCapture);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Controls().picture->Picture(), capturedBmp);
    ASSERT_TRUE(WaitForJobs(1));
    EXPECT_EQ(recording->Jobs()[0].first, 1);
    EXPECT_TRUE(IsJpeg(recording->Jobs()[0].second));
    EXPECT_TRUE(IsJpeg(values.imageBytes.Get()));
}

TEST_F(AppFixture, UncheckedBoxesKeepWindowAndSendBmp) {
    window->Controls().compress->setChecked(false);
    window->Controls().hideWhileCapturing->setChecked(false);
    capturedBmp = BmpBytes(8, 8, 0xFF0000);
    window->CaptureCommand();
    EXPECT_TRUE(windowVisibleDuringCapture);
    ASSERT_TRUE(WaitForJobs(1));
    EXPECT_EQ(recording->Jobs()[0].second, capturedBmp);
}

TEST_F(AppFixture, CaptureWithoutClipboardImageSendsEmptyBytes) {
    values.imageBytes.Set(PngBytes(2, 2, 0));
    capturedBmp.clear();
    window->CaptureCommand();
    ASSERT_TRUE(WaitForJobs(1));
    EXPECT_TRUE(recording->Jobs()[0].second.empty());
    EXPECT_TRUE(window->Controls().picture->Picture().empty());
}

TEST_F(AppFixture, ProgressRunsInSteps) {
    QProgressBar* bar = window->Controls().progress;
    bar->setValue(100);
    window->StartRecognition(1);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(window->Controls().timer->isActive());
    EXPECT_EQ(window->Controls().timer->interval(), 300);
    std::vector<int> positions;
    for (int i = 0; i < 6; ++i) {
        window->ProgressTick();
        positions.push_back(bar->value());
    }
    EXPECT_EQ(positions, (std::vector<int>{20, 40, 60, 80, 0, 20}));
    // The job's end: bar full, timer stopped, from a worker thread.
    std::thread([&] {
        window->WorkerServices().SetProgressPosition(100);
        window->WorkerServices().SetTimerPeriod(0);
    }).detach();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Controls().timer->isActive(); }, 5000));
    EXPECT_EQ(bar->value(), 100);
}

TEST_F(AppFixture, TextChangeOfUpdateBoxDestroysWindow) {
    QSignalSpy destroyed(window.get(), &MainWindow::destroyRequested);
    window->Controls().update->setText("x");
    EXPECT_EQ(destroyed.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->Destroyed());
}

TEST_F(AppFixture, ClosingTheWindowDestroysIt) {
    QSignalSpy destroyed(window.get(), &MainWindow::destroyRequested);
    window->close();
    EXPECT_EQ(destroyed.count(), 1);
    EXPECT_TRUE(window->Destroyed());
}

TEST_F(AppFixture, WorkerDestroysWindowAfterItsMessage) {
    QSignalSpy destroyed(window.get(), &MainWindow::destroyRequested);
    std::thread([services = &window->WorkerServices()] {
        services->ShowMessage(Text("bye"), MessageIcon::kStop, Text("t"));
        services->DestroyMainWindow();
    }).detach();
    EXPECT_TRUE(QTest::qWaitFor([&] { return destroyed.count() == 1; }, 5000));
    ASSERT_EQ(recording->Messages().size(), 1u);
    EXPECT_EQ(recording->Messages()[0].title, Text("t"));
}

TEST_F(AppFixture, ViewCommandWithoutPictureSaysSo) {
    window->ViewCommand();
    EXPECT_EQ(window->Viewer(), nullptr);
    const auto messages = recording->Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Cp936("无截图数据："));
    EXPECT_EQ(messages[0].icon, MessageIcon::kStop);
    EXPECT_EQ(messages[0].title, Cp936("澄溪提示："));
}

TEST_F(AppFixture, ViewLinkPressOpensViewerWhenThereIsAPicture) {
    window->Controls().picture->SetPicture(PngBytes(4, 4, 0x00FF00));
    QTest::mousePress(window->Controls().viewLink, Qt::LeftButton);
    ASSERT_NE(window->Viewer(), nullptr);
    EXPECT_TRUE(window->Viewer()->isVisible());
    EXPECT_TRUE(recording->Messages().empty());
}

TEST_F(AppFixture, DoubleClickOpensViewerEvenWithoutPicture) {
    QTest::mouseDClick(window->Controls().picture, Qt::LeftButton);
    ASSERT_NE(window->Viewer(), nullptr);
    EXPECT_TRUE(window->Viewer()->Picture()->Picture().empty());
    EXPECT_TRUE(recording->Messages().empty());
}

// Answers the next open-file dialog: confirms `path`, or cancels when it is empty.
void AnswerFileDialog(const QString& path) {
    auto answer = std::make_shared<std::function<void()>>();
    *answer = [path, answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(10, *answer);
            return;
        }
        EXPECT_TRUE(
            dialog->nameFilters().join(";;").contains("*.jpg *.bmp *.ico *.png *.gif *.cur"));
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    };
    QTimer::singleShot(0, *answer);
}

TEST_F(AppFixture, LoadImageCancelledChangesNothing) {
    values.imageBytes.Set({1, 2, 3});
    AnswerFileDialog({});
    window->LoadImageCommand();
    QTest::qWait(50);
    EXPECT_TRUE(recording->Jobs().empty());
    EXPECT_EQ(values.imageBytes.Get(), (Bytes{1, 2, 3}));
}

TEST_F(AppFixture, LoadImageSendsFileCompressedOrAsItIs) {
    const Bytes png = PngBytes(30, 10, 0x123456);
    const QString path = directory.filePath("picture.png");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<qint64>(png.size()));
    file.close();

    AnswerFileDialog(path);
    window->LoadImageCommand();
    ASSERT_TRUE(WaitForJobs(1));
    EXPECT_TRUE(IsJpeg(recording->Jobs()[0].second));
    EXPECT_EQ(window->Controls().picture->Picture(), recording->Jobs()[0].second);

    window->Controls().compress->setChecked(false);
    AnswerFileDialog(path);
    window->LoadImageCommand();
    ASSERT_TRUE(WaitForJobs(2));
    EXPECT_EQ(recording->Jobs()[1].first, 1);
    EXPECT_EQ(recording->Jobs()[1].second, png);
    EXPECT_EQ(window->Controls().picture->Picture(), png);
}

TEST_F(AppFixture, RecogniseAddressNeedsAnAddress) {
    window->RecogniseAddressCommand();
    const auto messages = recording->Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Cp936("请输入Url图片地址"));
    EXPECT_EQ(messages[0].icon, MessageIcon::kStop);
    EXPECT_EQ(messages[0].title, Cp936("信息："));
    QTest::qWait(50);
    EXPECT_TRUE(recording->Jobs().empty());
}

TEST_F(AppFixture, RecogniseAddressShowsFetchedImageAndSendsTheAddress) {
    values.imageBytes.Set({7, 7, 7});
    fetchedBody = PngBytes(3, 3, 0xABCDEF);
    window->WorkerServices().SetControlText("url", Text("https://example.test/a.png?x=1&y=2"));
    window->RecogniseAddressCommand();
    EXPECT_EQ(recording->fetchedAddresses, std::vector<Text>{"https://example.test/a.png?x=1&y=2"});
    EXPECT_EQ(window->Controls().picture->Picture(), fetchedBody);
    ASSERT_TRUE(WaitForJobs(1));
    EXPECT_EQ(recording->Jobs()[0].first, 2);
    EXPECT_EQ(values.imageBytes.Get(), (Bytes{7, 7, 7}));
}

}  // namespace
}  // namespace vt::test
