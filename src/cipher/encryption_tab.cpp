#include "cipher/encryption_tab.h"

#include "widgets/guarded_connect.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

EncryptionTab::EncryptionTab(platform::Dialogs& dialogs, QWidget* owner, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_owner(owner), m_controller(m_controls, dialogs, owner) {
    createControls();
    connectHandlers();
}

void EncryptionTab::createControls() {
    auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    EncryptionControls& c = m_controls;
    c.cipherFileEdit = new QLineEdit(QStringLiteral("C:/"), this);
    c.cipherFileEdit->setObjectName(QStringLiteral("cipherFileEdit"));
    c.browseButton = button(QStringLiteral("Browse..."), "browseButton");
    c.encryptButton = button(QStringLiteral("Encrypt"), "encryptButton");
    c.decryptButton = button(QStringLiteral("Decrypt"), "decryptButton");
    c.cancelCipherButton = button(QStringLiteral("Cancel"), "cancelCipherButton");
    c.codeLabel = new QLabel(QStringLiteral("Number Code:"), this);
    c.codeLabel->setObjectName(QStringLiteral("codeLabel"));
    QLineEdit** codes[] = {&c.keyCode1Edit, &c.keyCode2Edit, &c.keyCode3Edit, &c.keyCode4Edit,
                           &c.keyCode5Edit, &c.keyCode6Edit, &c.keyCode7Edit, &c.keyCode8Edit};
    for (int i = 0; i < 8; ++i) {
        auto* box = new QLineEdit(QStringLiteral("000"), this);
        box->setObjectName(QStringLiteral("Edit%1").arg(7 + i));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        *codes[i] = box;
    }
    c.randomizeButton = button(QStringLiteral("Randomize"), "randomizeButton");
    c.cipherGauge = new QProgressBar(this);
    c.cipherGauge->setObjectName(QStringLiteral("cipherGauge"));
    c.cipherGauge->setRange(0, 100);
    c.cipherGauge->setValue(0);
    c.cipherGauge->setTextVisible(true);
    c.cipherGauge->setFormat(QStringLiteral("%p%"));
    c.cipherGauge->hide();

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(c.cipherFileEdit, 1);
    fileRow->addWidget(c.browseButton);
    auto* actionRow = new QHBoxLayout;
    actionRow->addWidget(c.encryptButton);
    actionRow->addWidget(c.decryptButton);
    actionRow->addWidget(c.cancelCipherButton);
    actionRow->addStretch(1);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(c.codeLabel);
    for (QLineEdit* box : c.codeBoxes())
        codeRow->addWidget(box);
    codeRow->addWidget(c.randomizeButton);
    codeRow->addStretch(1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(fileRow);
    page->addLayout(actionRow);
    page->addLayout(codeRow);
    page->addWidget(c.cipherGauge);
    page->addStretch(1);
}

void EncryptionTab::connectHandlers() {
    CipherController& h = m_controller;
    connectGuarded(m_controls.browseButton, &QPushButton::clicked, this, m_dialogs, m_owner,
                   [&h] { h.onBrowseClicked(); });
    connectGuarded(m_controls.encryptButton, &QPushButton::clicked, this, m_dialogs, m_owner,
                   [&h] { h.onEncryptClicked(); });
    connectGuarded(m_controls.decryptButton, &QPushButton::clicked, this, m_dialogs, m_owner,
                   [&h] { h.onDecryptClicked(); });
    connectGuarded(m_controls.randomizeButton, &QPushButton::clicked, this, m_dialogs, m_owner,
                   [&h] { h.onRandomizeClicked(); });
    connectGuarded(m_controls.cancelCipherButton, &QPushButton::clicked, this, m_dialogs, m_owner,
                   [&h] { h.onCancelCipherClicked(); });
}
