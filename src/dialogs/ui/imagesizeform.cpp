// SPDX-License-Identifier: GPL-3.0-or-later
#include "imagesizeform.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

// The picture stretched to the size chosen.
class StretchedPicture : public QWidget
{
public:
    StretchedPicture(const QImage &picture, QWidget *parent)
        : QWidget(parent)
        , m_picture(picture)
    {
        setObjectName(QStringLiteral("ResizeImage"));
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        setMinimumSize(1, 1);
    }

    // The size the picture is shown at; the area may be wider while the bar above needs the room.
    void setPictureSize(QSize size)
    {
        m_size = size;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), m_size), m_picture);
    }

private:
    QImage m_picture;
    QSize m_size;
};

std::optional<QSize> TImageSizeForm::run(
    CommandHost &host, QWidget *parent, const QImage &picture, QSize size)
{
    TImageSizeForm form(host, parent, picture, size);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.pictureSize();
}

TImageSizeForm::TImageSizeForm(CommandHost &host, QWidget *parent, const QImage &picture, QSize size)
    : TDialogBase(host, parent, QStringLiteral("Image Sizer"), QStringLiteral("menus.html"))
{
    setObjectName(QStringLiteral("ImageSizeForm"));
    setWindowFlag(Qt::Tool, true);
    // A size of 0 has no proportion to keep: the picture's own size stands in for it.
    const QSize natural = picture.isNull() ? QSize(100, 100) : picture.size();
    m_width = size.width() > 0 ? size.width() : natural.width();
    m_height = size.height() > 0 ? size.height() : natural.height();

    m_bar = new QWidget(this);
    auto *ratioLabel = new QLabel(QStringLiteral("Aspect Ratio:"), m_bar);
    m_aspectRatio = new QLineEdit(m_bar);
    m_aspectRatio->setObjectName(QStringLiteral("AspectRatio"));
    m_aspectRatio->setToolTip(QStringLiteral("Ratio of width to height"));
    // Room for a ratio such as 12.3456 with a little to spare.
    m_aspectRatio->setFixedWidth(
        m_aspectRatio->fontMetrics().horizontalAdvance(QStringLiteral("000.00000")) + 12);
    m_aspectRatio->installEventFilter(this);
    ratioLabel->setBuddy(m_aspectRatio);
    m_proportional = new QCheckBox(QStringLiteral("Proportional Resize"), m_bar);
    m_proportional->setObjectName(QStringLiteral("Proportional"));
    m_proportional->setToolTip(QStringLiteral("Keep the dimensions of the image in proportion"));
    m_proportional->setChecked(true);
    m_close = new QPushButton(QStringLiteral("&Done"), m_bar);
    m_close->setObjectName(QStringLiteral("Close"));
    m_close->setToolTip(QStringLiteral("Use the current size for the image"));
    m_close->setDefault(true);
    auto *barLayout = new QHBoxLayout(m_bar);
    barLayout->setContentsMargins(6, 4, 6, 4);
    barLayout->addWidget(ratioLabel);
    barLayout->addWidget(m_aspectRatio);
    barLayout->addWidget(m_proportional);
    barLayout->addStretch();
    barLayout->addWidget(m_close);

    m_resizeImage = new StretchedPicture(picture, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_resizeImage, 1);

    m_aspectRatio->setText(aspectRatioText());
    connect(m_aspectRatio, &QLineEdit::textEdited, this, &TImageSizeForm::AspectRatioChange);
    connect(m_proportional, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            m_userSized = true;
            keepProportion();
        }
    });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    // The window cannot be narrower than its bar; a narrower picture is shown at its own size until the
    // user resizes the window.
    m_chosen = QSize(m_width, m_height);
    m_resizeImage->setPictureSize(m_chosen);
    setMinimumWidth(m_bar->minimumSizeHint().width());
    m_initialSize = QSize(qMax(m_width, minimumWidth()), m_height + m_bar->sizeHint().height());
    resize(m_initialSize);
}

QSize TImageSizeForm::pictureSize() const
{
    return m_chosen;
}

QString TImageSizeForm::aspectRatioText() const
{
    return QString::number(double(m_width) / double(m_height), 'f', 4);
}

void TImageSizeForm::keepProportion()
{
    const int barHeight = m_bar->sizeHint().height();
    QSize chosen(width(), qMax(1, height() - barHeight));
    if (m_proportional->isChecked())
        chosen.setHeight(qMax(1, int(qint64(chosen.width()) * m_height / m_width)));
    m_chosen = chosen;
    m_resizeImage->setPictureSize(chosen);
    if (chosen.height() + barHeight == height() || m_adjusting)
        return;
    m_adjusting = true;
    resize(width(), chosen.height() + barHeight);
    m_adjusting = false;
}

void TImageSizeForm::resizeEvent(QResizeEvent *event)
{
    TDialogBase::resizeEvent(event);
    // The size the window opened at is not a choice of the user's.
    if (m_userSized || event->size() != m_initialSize) {
        m_userSized = true;
        keepProportion();
    }
}

void TImageSizeForm::AspectRatioChange()
{
    bool ok = false;
    const double ratio = m_aspectRatio->text().toDouble(&ok);
    const qint64 width = ok ? qint64(ratio * m_height) : 0;
    // A ratio that gives no width would leave nothing to keep in proportion.
    if (!ok || width < 1 || width > 100000) {
        QApplication::beep();
        return;
    }
    m_width = int(width);
    m_userSized = true;
    keepProportion();
}

bool TImageSizeForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_aspectRatio && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Keys that type nothing (arrows, Tab, Enter) keep their usual work.
        if (text.isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape || key->key() == Qt::Key_Tab)
            return false;
        const bool digit = text.size() == 1 && text.at(0).isDigit() && text.at(0).unicode() < 128;
        QString kept = m_aspectRatio->text();
        if (m_aspectRatio->hasSelectedText())
            kept.remove(m_aspectRatio->selectionStart(), m_aspectRatio->selectedText().size());
        const bool point = text == QLatin1String(".") && !kept.contains(u'.');
        if (digit || point)
            return false;
        QApplication::beep();
        return true;
    }
    return TDialogBase::eventFilter(watched, event);
}

void TImageSizeForm::keyPressEvent(QKeyEvent *event)
{
    // "&Done" is the cancel button as well: Escape keeps the size too.
    if (event->key() == Qt::Key_Escape) {
        accept();
        return;
    }
    TDialogBase::keyPressEvent(event);
}
