#include "cipher/cipher_file.h"
#include "cipher/encryption_tab.h"
#include "platform/fake/fake_platform.h"
#include "support/literal_cipher.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(data), data.size());
}

QByteArray randomBytes(qsizetype size) {
    QRandomGenerator random(11);
    QByteArray data(size, '\0');
    for (qsizetype n = 0; n < size; ++n)
        data[n] = static_cast<char>(random.bounded(256));
    return data;
}

// Runs `action` from the event loop that the operation lets run between blocks.
void duringOperation(QObject* context, std::function<void()> action) {
    QMetaObject::invokeMethod(context, std::move(action), Qt::QueuedConnection);
}

class EncryptionTabTest : public testing::Test {
protected:
    EncryptionTabTest() : tab(fake, &owner) {}

    bool idle() const {
        return c.encryptButton->isEnabled() && c.decryptButton->isEnabled() && c.cipherGauge->isHidden() &&
               c.cancelCipherButton->isHidden();
    }
    void setCodes(const QStringList& texts) {
        const auto boxes = c.codeBoxes();
        for (int i = 0; i < 8; ++i)
            boxes[i]->setText(texts[i]);
    }

    platform::fake::FakePlatform fake;
    QWidget owner;
    EncryptionTab tab;
    EncryptionControls& c = tab.controls();
    QTemporaryDir dir;
};

} // namespace

TEST_F(EncryptionTabTest, ControlsStartWithTheirCaptionsAndDefaults) {
    EXPECT_EQ(c.cipherFileEdit->text(), QStringLiteral("C:/"));
    EXPECT_EQ(c.browseButton->text(), QStringLiteral("Browse..."));
    EXPECT_EQ(c.encryptButton->text(), QStringLiteral("Encrypt"));
    EXPECT_EQ(c.decryptButton->text(), QStringLiteral("Decrypt"));
    EXPECT_EQ(c.cancelCipherButton->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(c.randomizeButton->text(), QStringLiteral("Randomize"));
    EXPECT_EQ(c.codeLabel->text(), QStringLiteral("Number Code:"));
    int number = 7;
    for (QLineEdit* box : c.codeBoxes()) {
        EXPECT_EQ(box->text(), QStringLiteral("000"));
        EXPECT_EQ(box->objectName(), QStringLiteral("Edit%1").arg(number++));
    }
    EXPECT_FALSE(c.cancelCipherButton->isHidden()); // shown until the first operation ends
    EXPECT_TRUE(c.cipherGauge->isHidden());
    EXPECT_TRUE(c.encryptButton->isEnabled());
    EXPECT_TRUE(c.decryptButton->isEnabled());
}

TEST_F(EncryptionTabTest, BrowseAsksForAFileFromTheCurrentPath) {
    c.cipherFileEdit->setText(QStringLiteral("/home/user/docs"));
    fake.openFileAnswers.push_back(QStringLiteral("/home/user/docs/letter.txt"));
    fake.openFileAnswers.push_back(std::nullopt);
    c.browseButton->click();
    EXPECT_EQ(c.cipherFileEdit->text(), QStringLiteral("/home/user/docs/letter.txt"));
    c.browseButton->click(); // cancelled: nothing changes
    EXPECT_EQ(c.cipherFileEdit->text(), QStringLiteral("/home/user/docs/letter.txt"));
    EXPECT_EQ(fake.fileDialogTitles, QStringList(2, QStringLiteral("Select a file")));
    EXPECT_EQ(fake.fileDialogFilters, QStringList(2, QStringLiteral("All Files|*.*")));
    EXPECT_EQ(fake.fileDialogDirs,
              (QStringList{QStringLiteral("/home/user/docs"), QStringLiteral("/home/user/docs/letter.txt")}));
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(EncryptionTabTest, RandomizeWritesThreeDigitCodes) {
    c.randomizeButton->click();
    for (QLineEdit* box : c.codeBoxes()) {
        const QString text = box->text();
        ASSERT_EQ(text.size(), 3) << text.toStdString();
        EXPECT_TRUE(text[0] == u'0' || text[0] == u'1') << text.toStdString();
        EXPECT_TRUE(text[1] >= u'1' && text[1] <= u'8') << text.toStdString();
        EXPECT_TRUE(text[2] >= u'1' && text[2] <= u'8') << text.toStdString();
    }
}

TEST_F(EncryptionTabTest, EncryptAndDecryptUseTheCodeBoxes) {
    const QString file = dir.filePath(QStringLiteral("note.txt"));
    const QByteArray plain = randomBytes(5000);
    writeFile(file, plain);
    c.cipherFileEdit->setText(file);
    setCodes({QStringLiteral("077"), QString(), QStringLiteral("256"), QStringLiteral("170"), QStringLiteral("1a2"),
              QStringLiteral("141"), QStringLiteral("000"), QStringLiteral("188")});
    c.encryptButton->click();
    EXPECT_EQ(readFile(file), literal::cipher(plain, {77, 0, 0, 1, 12, 141, 0, 19}, true));
    EXPECT_TRUE(idle());
    c.decryptButton->click();
    EXPECT_EQ(readFile(file), plain);
    EXPECT_TRUE(idle());
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".enc")));
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(EncryptionTabTest, WhileRunningTheWindowWorksAndTheKeyIsFixed) {
    const QString file = dir.filePath(QStringLiteral("large.bin"));
    const QByteArray plain = randomBytes(4 * static_cast<qsizetype>(kCipherBlockSize) + 3);
    writeFile(file, plain);
    c.cipherFileEdit->setText(file);
    setCodes(QStringList(8, QStringLiteral("123")));
    bool ran = false;
    duringOperation(&tab, [&] {
        ran = true;
        EXPECT_FALSE(c.encryptButton->isEnabled());
        EXPECT_FALSE(c.decryptButton->isEnabled());
        EXPECT_FALSE(c.cipherGauge->isHidden());
        EXPECT_FALSE(c.cancelCipherButton->isHidden());
        EXPECT_EQ(c.cipherGauge->maximum(), plain.size());
        EXPECT_GT(c.cipherGauge->value(), 0);
        c.keyCode1Edit->setText(QStringLiteral("999")); // read at the start only
        c.encryptButton->click();                       // disabled: no second operation
    });
    c.encryptButton->click();
    EXPECT_TRUE(ran);
    EXPECT_EQ(readFile(file), literal::cipher(plain, {123, 123, 123, 123, 123, 123, 123, 123}, true));
    EXPECT_TRUE(idle());
}

TEST_F(EncryptionTabTest, CancelLeavesTheInputAndNoEncFile) {
    const QString file = dir.filePath(QStringLiteral("keep.bin"));
    const QByteArray plain = randomBytes(4 * static_cast<qsizetype>(kCipherBlockSize));
    writeFile(file, plain);
    c.cipherFileEdit->setText(file);
    setCodes(QStringList(8, QStringLiteral("055")));
    duringOperation(&tab, [&] { c.cancelCipherButton->click(); });
    c.decryptButton->click();
    EXPECT_TRUE(tab.controller().cipherCancelled());
    EXPECT_EQ(readFile(file), plain);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".enc")));
    EXPECT_TRUE(idle());
    // The next operation starts afresh.
    c.encryptButton->click();
    EXPECT_FALSE(tab.controller().cipherCancelled());
    EXPECT_EQ(readFile(file), literal::cipher(plain, {55, 55, 55, 55, 55, 55, 55, 55}, true));
}

TEST_F(EncryptionTabTest, APathNamingNothingDoesNothing) {
    c.cipherFileEdit->setText(dir.filePath(QStringLiteral("missing.txt")));
    c.encryptButton->click();
    c.cipherFileEdit->setText(QStringLiteral("C:/"));
    c.decryptButton->click();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_FALSE(c.cancelCipherButton->isHidden()); // no operation ran, so nothing was hidden
    EXPECT_TRUE(c.cipherGauge->isHidden());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(EncryptionTabTest, ErrorsGoToTheGeneralErrorReportAndTheTabReturnsToIdle) {
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    c.cipherFileEdit->setText(folder);
    c.encryptButton->click();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, QStringLiteral("Torvane 4.4.0"));
    EXPECT_EQ(fake.boxes()[0].text, QStringLiteral("File access denied."));
    EXPECT_EQ(fake.boxes()[0].flags, platform::MbIconError);
    EXPECT_EQ(fake.boxes()[0].owner, &owner);
    EXPECT_TRUE(idle());
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // A code too large to read stops the operation before it starts.
    const QString file = dir.filePath(QStringLiteral("plain.txt"));
    writeFile(file, "unchanged");
    c.cipherFileEdit->setText(file);
    c.keyCode4Edit->setText(QStringLiteral("99999999999"));
    c.encryptButton->click();
    ASSERT_EQ(fake.boxes().size(), 2);
    EXPECT_EQ(fake.boxes()[1].text, QStringLiteral("'99999999999' is not a valid integer value."));
    EXPECT_EQ(readFile(file), QByteArray("unchanged"));
}

TEST_F(EncryptionTabTest, TheGaugeKeepsTheRightPercentageBeyondTwoGigabytes) {
    // A sparse file of 5 GiB: the gauge's int range counts it in units of 4 bytes.
    const QString file = dir.filePath(QStringLiteral("huge.bin"));
    {
        QFile huge(file);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(qint64{5} << 30));
    }
    c.cipherFileEdit->setText(file);
    int maximum = 0, value = 0;
    duringOperation(&tab, [&] {
        maximum = c.cipherGauge->maximum();
        value = c.cipherGauge->value();
        c.cancelCipherButton->click();
    });
    c.encryptButton->click();
    EXPECT_EQ(maximum, (qint64{5} << 30) / 4);
    EXPECT_EQ(value, static_cast<int>(kCipherBlockSize / 4));
    EXPECT_EQ(QFileInfo(file).size(), qint64{5} << 30);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".enc")));
    EXPECT_TRUE(fake.boxes().isEmpty());
}
