#include "cipher/cipher_file.h"
#include "platform/torvane_error.h"
#include "support/literal_cipher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const CipherCodes kKey{77, 85, 15, 104, 118, 33, 137, 149};

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray data(size, '\0');
    for (qsizetype n = 0; n < size; ++n)
        data[n] = static_cast<char>(random.bounded(256));
    return data;
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(data), data.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString errorOf(const QString& path, const CipherFileHooks& hooks = {}) {
    try {
        cipherFileInPlace(path, CipherDirection::Encrypt, kKey, hooks);
    } catch (const TorvaneError& e) {
        return e.text();
    }
    return QStringLiteral("<no error>");
}

class CipherFileTest : public testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CipherFileTest, EncryptThenDecryptRestoresEveryLength) {
    for (const qsizetype size : {0, 1, 7, 8, 9, 65535, 65536, 65537, 3 * 1024 * 1024 + 5}) {
        const QString file = path(QStringLiteral("data.bin"));
        const QByteArray plain = randomBytes(size, static_cast<quint32>(size));
        writeFile(file, plain);
        ASSERT_EQ(cipherFileInPlace(file, CipherDirection::Encrypt, kKey, {}), CipherFileResult::Done);
        const QByteArray encrypted = readFile(file);
        // The byte-wise definition is slow; the stream tests compare larger inputs.
        if (size < 100000) {
            EXPECT_EQ(encrypted, literal::cipher(plain, kKey, true)) << size;
        }
        if (size > 16) {
            EXPECT_NE(encrypted, plain);
        }
        ASSERT_EQ(cipherFileInPlace(file, CipherDirection::Decrypt, kKey, {}), CipherFileResult::Done);
        EXPECT_EQ(readFile(file), plain) << size;
        EXPECT_FALSE(QFile::exists(file + QStringLiteral(".enc")));
    }
}

TEST_F(CipherFileTest, CodesFromBoxTexts256And170) {
    const QString file = path(QStringLiteral("codes.txt"));
    const QByteArray plain = randomBytes(1000, 3);
    writeFile(file, plain);
    CipherCodes codes{};
    codes.fill(cipherCodeFromText(QStringLiteral("256")));
    ASSERT_EQ(cipherFileInPlace(file, CipherDirection::Encrypt, codes, {}), CipherFileResult::Done);
    EXPECT_EQ(readFile(file), plain);

    codes.fill(0);
    codes[2] = cipherCodeFromText(QStringLiteral("170"));
    ASSERT_EQ(cipherFileInPlace(file, CipherDirection::Encrypt, codes, {}), CipherFileResult::Done);
    EXPECT_EQ(readFile(file), literal::cipher(plain, {0, 0, 1, 0, 0, 0, 0, 0}, true));
}

TEST_F(CipherFileTest, ProgressCountsUpToTheSizeAndCancelLeavesTheInput) {
    const QString file = path(QStringLiteral("big.bin"));
    const QByteArray plain = randomBytes(5 * kCipherBlockSize + 100, 9);
    writeFile(file, plain);
    std::uint64_t announced = 0;
    std::vector<std::uint64_t> counts;
    CipherFileHooks hooks;
    hooks.started = [&](std::uint64_t size) { announced = size; };
    hooks.progress = [&](std::uint64_t processed) {
        counts.push_back(processed);
        return counts.size() < 3;
    };
    EXPECT_EQ(cipherFileInPlace(file, CipherDirection::Encrypt, kKey, hooks), CipherFileResult::Cancelled);
    EXPECT_EQ(announced, static_cast<std::uint64_t>(plain.size()));
    EXPECT_EQ(counts, (std::vector<std::uint64_t>{kCipherBlockSize, 2 * kCipherBlockSize, 3 * kCipherBlockSize}));
    EXPECT_EQ(readFile(file), plain);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".enc")));

    // Cancelled at the very last block still counts as cancelled.
    hooks.progress = [&](std::uint64_t processed) { return processed < static_cast<std::uint64_t>(plain.size()); };
    EXPECT_EQ(cipherFileInPlace(file, CipherDirection::Encrypt, kKey, hooks), CipherFileResult::Cancelled);
    EXPECT_EQ(readFile(file), plain);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".enc")));
}

TEST_F(CipherFileTest, APathNamingNothingChangesNothing) {
    bool started = false;
    CipherFileHooks hooks;
    hooks.started = [&](std::uint64_t) { started = true; };
    for (const QString& missing : {path(QStringLiteral("absent.bin")), QString(), QStringLiteral("C:/")}) {
        EXPECT_EQ(cipherFileInPlace(missing, CipherDirection::Encrypt, kKey, hooks), CipherFileResult::NotFound);
        EXPECT_FALSE(QFile::exists(missing + QStringLiteral(".enc")));
    }
    EXPECT_FALSE(started);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(CipherFileTest, AFolderIsRefusedAndLeftAlone) {
    const QString folder = path(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    writeFile(folder + QStringLiteral("/inside.txt"), "kept");
    bool started = false;
    CipherFileHooks hooks;
    hooks.started = [&](std::uint64_t) { started = true; };
    EXPECT_EQ(errorOf(folder, hooks), QStringLiteral("File access denied"));
    EXPECT_TRUE(started); // the window showed the gauge and must return to idle
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(readFile(folder + QStringLiteral("/inside.txt")), QByteArray("kept"));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral(".enc")));
}

TEST_F(CipherFileTest, AnUnreadableOrReadOnlyFileIsRefusedUntouched) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const QString file = path(QStringLiteral("locked.bin"));
    writeFile(file, "secret");
    for (const mode_t mode : {mode_t(0000), mode_t(0444)}) {
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), mode), 0);
        EXPECT_EQ(errorOf(file), QStringLiteral("File access denied"));
        ::chmod(QFile::encodeName(file).constData(), 0600);
        EXPECT_EQ(readFile(file), QByteArray("secret"));
        EXPECT_FALSE(QFile::exists(file + QStringLiteral(".enc")));
    }
}

TEST_F(CipherFileTest, AnExistingEncFileIsOverwritten) {
    const QString file = path(QStringLiteral("a.txt"));
    writeFile(file, "abc");
    writeFile(file + QStringLiteral(".enc"), QByteArray(5000, 'z'));
    ASSERT_EQ(cipherFileInPlace(file, CipherDirection::Encrypt, kKey, {}), CipherFileResult::Done);
    EXPECT_EQ(readFile(file), literal::cipher("abc", kKey, true));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".enc")));
}

TEST_F(CipherFileTest, ASymbolicLinkAsEncFileIsNotFollowed) {
    const QString file = path(QStringLiteral("b.txt"));
    const QString elsewhere = path(QStringLiteral("elsewhere.txt"));
    writeFile(file, "plain text");
    writeFile(elsewhere, "someone else's");
    ASSERT_TRUE(QFile::link(elsewhere, file + QStringLiteral(".enc")));
    EXPECT_NE(errorOf(file), QStringLiteral("<no error>"));
    EXPECT_EQ(readFile(file), QByteArray("plain text"));
    EXPECT_EQ(readFile(elsewhere), QByteArray("someone else's"));
}

TEST_F(CipherFileTest, TheResultKeepsThePermissionsOfTheInput) {
    const QString file = path(QStringLiteral("private.txt"));
    writeFile(file, "mine only");
    const QByteArray name = QFile::encodeName(file);
    ASSERT_EQ(::chmod(name.constData(), 0640), 0);
    ASSERT_EQ(cipherFileInPlace(file, CipherDirection::Encrypt, kKey, {}), CipherFileResult::Done);
    struct stat after {};
    ASSERT_EQ(::stat(name.constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
}

TEST_F(CipherFileTest, ThroughASymbolicLinkTheFileItNamesIsTransformed) {
    const QString target = path(QStringLiteral("target.txt"));
    const QString link = path(QStringLiteral("link.txt"));
    writeFile(target, "the real content");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_EQ(cipherFileInPlace(link, CipherDirection::Encrypt, kKey, {}), CipherFileResult::Done);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(target), literal::cipher("the real content", kKey, true));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".enc")));
    EXPECT_FALSE(QFile::exists(link + QStringLiteral(".enc")));
}
