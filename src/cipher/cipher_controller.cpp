#include "cipher/cipher_controller.h"

#include "cipher/cipher_file.h"
#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <chrono>
#include <climits>

namespace {

// The window handles its pending events at least this often while a file is transformed.
constexpr qint64 kEventIntervalMs = 15;

} // namespace

CipherController::CipherController(EncryptionControls& controls, platform::Dialogs& dialogs, QWidget* owner)
    : m_controls(controls), m_dialogs(dialogs), m_owner(owner) {}

void CipherController::onBrowseClicked() {
    const auto chosen = m_dialogs.openFileName(m_owner, QStringLiteral("Select a file"),
                                               QStringLiteral("All Files|*.*"), m_controls.cipherFileEdit->text());
    if (chosen)
        m_controls.cipherFileEdit->setText(*chosen);
}

void CipherController::onEncryptClicked() {
    CipherFile(CipherDirection::Encrypt, m_controls.cipherFileEdit->text());
}

void CipherController::onDecryptClicked() {
    CipherFile(CipherDirection::Decrypt, m_controls.cipherFileEdit->text());
}

void CipherController::onRandomizeClicked() {
    const auto counter = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    QRandomGenerator random(static_cast<quint64>(counter));
    for (QLineEdit* box : m_controls.codeBoxes())
        box->setText(FormatCode(randomCipherCode(random)));
}

void CipherController::onCancelCipherClicked() {
    CipherCancelled = true;
}

CipherCodes CipherController::readCodes() const {
    CipherCodes codes{};
    const auto boxes = m_controls.codeBoxes();
    for (int i = 0; i < kCipherCodeCount; ++i)
        codes[i] = cipherCodeFromText(boxes[i]->text());
    return codes;
}

void CipherController::CipherFile(CipherDirection direction, const QString& path) {
    // Encrypt and Decrypt are disabled while an operation runs; a call from elsewhere is ignored.
    if (m_running)
        return;
    CipherCancelled = false;
    const CipherCodes codes = readCodes();
    bool shown = false;
    const auto idle = qScopeGuard([&] {
        if (shown)
            setRunning(false);
    });
    CipherFileHooks hooks;
    hooks.started = [&](std::uint64_t size) {
        shown = true;
        started(size);
    };
    hooks.progress = [this](std::uint64_t processed) { return progress(processed); };
    cipherFileInPlace(path, direction, codes, hooks);
}

void CipherController::setRunning(bool running) {
    m_running = running;
    m_controls.encryptButton->setEnabled(!running);
    m_controls.decryptButton->setEnabled(!running);
    m_controls.cipherGauge->setVisible(running);
    m_controls.cancelCipherButton->setVisible(running);
}

void CipherController::started(std::uint64_t size) {
    setRunning(true);
    // The gauge's range is an int: larger files are counted in coarser units so that the
    // percentage stays right.
    m_gaugeShift = 0;
    while ((size >> m_gaugeShift) > static_cast<std::uint64_t>(INT_MAX))
        ++m_gaugeShift;
    m_controls.cipherGauge->setRange(0, static_cast<int>(size >> m_gaugeShift));
    m_controls.cipherGauge->setValue(0);
    m_sinceEvents.invalidate();
}

bool CipherController::progress(std::uint64_t processed) {
    m_controls.cipherGauge->setValue(static_cast<int>(std::min<std::uint64_t>(processed >> m_gaugeShift, INT_MAX)));
    if (!m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= kEventIntervalMs) {
        QCoreApplication::processEvents();
        m_sinceEvents.start();
    }
    return !CipherCancelled;
}
