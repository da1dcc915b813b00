#include "ui/main/help/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace lexifind::help {
namespace {

const QString kRoot = QStringLiteral("qrc:/help/");
const QString kContentsPage = QStringLiteral("index.html");

// The colour dialog asks for its help context (0 in this program) + 1 + its page
// number, VGA being page 0 and Info page 8.
struct ContextTopic
{
    int context;
    const char *page;
};
constexpr ContextTopic kContextTopics[] = {
    {1, "couleurs-vga.html"},
    {2, "couleurs-internet.html"},
    {3, "couleurs-tsl.html"},
    {4, "couleurs-rvb.html"},
    {5, "couleurs-cmj.html"},
    {6, "couleurs-cmjn.html"},
    {7, "couleurs-gris.html"},
    {8, "couleurs-systeme.html"},
    {9, "couleurs-info.html"},
};

QString pageForContext(int context)
{
    for (const ContextTopic &topic : kContextTopics) {
        if (topic.context == context)
            return QString::fromLatin1(topic.page);
    }
    return kContentsPage;
}

QString readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

class HelpWindow : public QWidget
{
public:
    HelpWindow()
    {
        setObjectName(QStringLiteral("lexifindHelpWindow"));
        setWindowTitle(QStringLiteral("Aide de Lexifind"));
        // Closing the help only hides it; it must never end the program on its own.
        setAttribute(Qt::WA_QuitOnClose, false);
        resize(760, 580);

        auto *contents = new QPushButton(QStringLiteral("Sommaire"));
        back_ = new QPushButton(QStringLiteral("Précédent"));
        forward_ = new QPushButton(QStringLiteral("Suivant"));
        contents->setObjectName(QStringLiteral("contentsButton"));
        back_->setObjectName(QStringLiteral("backButton"));
        forward_->setObjectName(QStringLiteral("forwardButton"));
        back_->setEnabled(false);
        forward_->setEnabled(false);
        for (QPushButton *button : {contents, back_, forward_})
            button->setAutoDefault(false);

        browser_ = new QTextBrowser;
        browser_->setObjectName(QStringLiteral("helpBrowser"));
        // Every link is one of our own pages; nothing is handed to the desktop.
        browser_->setOpenExternalLinks(false);
        browser_->document()->setDefaultStyleSheet(readResource(QStringLiteral(":/help/aide.css")));

        auto *buttons = new QHBoxLayout;
        buttons->addWidget(contents);
        buttons->addWidget(back_);
        buttons->addWidget(forward_);
        buttons->addStretch();
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(browser_, 1);

        // The contents button always goes to the contents, whatever page the window
        // was first opened on (QTextBrowser::home() would go back to that one).
        connect(contents, &QPushButton::clicked, this, [this] { openPage(kContentsPage); });
        connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
        connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
        connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
        connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);

        auto *backKey = new QShortcut(QKeySequence::Back, this);
        connect(backKey, &QShortcut::activated, browser_, &QTextBrowser::backward);
        auto *forwardKey = new QShortcut(QKeySequence::Forward, this);
        connect(forwardKey, &QShortcut::activated, browser_, &QTextBrowser::forward);
        auto *closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    }

    void openPage(const QString &page)
    {
        const QUrl url(kRoot + page);
        if (browser_->source() != url)
            browser_->setSource(url);
    }

    void present()
    {
        // A modal dialog (the colour dialog) blocks every other window. Asked for from
        // there, the help must be modal itself to be read; asked for otherwise, it is not.
        QWidget *modal = QApplication::activeModalWidget();
        const Qt::WindowModality wanted = modal == this ? windowModality()
                                          : modal      ? Qt::ApplicationModal
                                                       : Qt::NonModal;
        if (windowModality() != wanted) {
            hide(); // modality only changes on a hidden window
            setWindowModality(wanted);
        }
        show();
        raise();
        activateWindow();
    }

private:
    QTextBrowser *browser_ = nullptr;
    QPushButton *back_ = nullptr;
    QPushButton *forward_ = nullptr;
};

QPointer<HelpWindow> &window()
{
    static QPointer<HelpWindow> instance;
    return instance;
}

HelpWindow *instance()
{
    if (!window()) {
        window() = new HelpWindow;
        // A top-level window without a parent: released when the event loop ends.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete window().data(); });
    }
    return window();
}

void open(const QString &page)
{
    HelpWindow *window = instance();
    window->openPage(page);
    window->present();
}

} // namespace

void showContents()
{
    open(kContentsPage);
}

void showContext(int context)
{
    open(pageForContext(context));
}

} // namespace lexifind::help
