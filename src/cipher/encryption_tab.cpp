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
    c.Edit6 = new QLineEdit(QStringLiteral("C:/"), this);
    c.Edit6->setObjectName(QStringLiteral("Edit6"));
    c.Button21 = button(QStringLiteral("Browse..."), "Button21");
    c.Button22 = button(QStringLiteral("Encrypt"), "Button22");
    c.Button23 = button(QStringLiteral("Decrypt"), "Button23");
    c.Button26 = button(QStringLiteral("Cancel"), "Button26");
    c.Label15 = new QLabel(QStringLiteral("Number Code:"), this);
    c.Label15->setObjectName(QStringLiteral("Label15"));
    QLineEdit** codes[] = {&c.Edit7, &c.Edit8, &c.Edit9, &c.Edit10, &c.Edit11, &c.Edit12, &c.Edit13, &c.Edit14};
    for (int i = 0; i < 8; ++i) {
        auto* box = new QLineEdit(QStringLiteral("000"), this);
        box->setObjectName(QStringLiteral("Edit%1").arg(7 + i));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        *codes[i] = box;
    }
    c.Button24 = button(QStringLiteral("Randomize"), "Button24");
    c.Gauge2 = new QProgressBar(this);
    c.Gauge2->setObjectName(QStringLiteral("Gauge2"));
    c.Gauge2->setRange(0, 100);
    c.Gauge2->setValue(0);
    c.Gauge2->setTextVisible(true);
    c.Gauge2->setFormat(QStringLiteral("%p%"));
    c.Gauge2->hide();

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(c.Edit6, 1);
    fileRow->addWidget(c.Button21);
    auto* actionRow = new QHBoxLayout;
    actionRow->addWidget(c.Button22);
    actionRow->addWidget(c.Button23);
    actionRow->addWidget(c.Button26);
    actionRow->addStretch(1);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(c.Label15);
    for (QLineEdit* box : c.codeBoxes())
        codeRow->addWidget(box);
    codeRow->addWidget(c.Button24);
    codeRow->addStretch(1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(fileRow);
    page->addLayout(actionRow);
    page->addLayout(codeRow);
    page->addWidget(c.Gauge2);
    page->addStretch(1);
}

void EncryptionTab::connectHandlers() {
    CipherController& h = m_controller;
    connectGuarded(m_controls.Button21, &QPushButton::clicked, this, m_dialogs, m_owner, [&h] { h.Button21Click(); });
    connectGuarded(m_controls.Button22, &QPushButton::clicked, this, m_dialogs, m_owner, [&h] { h.Button22Click(); });
    connectGuarded(m_controls.Button23, &QPushButton::clicked, this, m_dialogs, m_owner, [&h] { h.Button23Click(); });
    connectGuarded(m_controls.Button24, &QPushButton::clicked, this, m_dialogs, m_owner, [&h] { h.Button24Click(); });
    connectGuarded(m_controls.Button26, &QPushButton::clicked, this, m_dialogs, m_owner, [&h] { h.Button26Click(); });
}
