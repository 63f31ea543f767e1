// VelaSoft entry point: builds every window once, in a fixed order, then runs the message loop.
#include "TAboutBox.h"
#include "TIntroScreen.h"
#include "TMainMenuDlg.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/QtDialogs.h"
#include "translation/TfrmTranslation.h"
#include "translation/Translator.h"

#include "charts/TfrmResultsChart.h"
#include "connect/TConnect.h"
#include "link/TVelaLiteInterface.h"
#include "service/TPreferences.h"
#include "service/TVelaLiteSetup.h"
#include "results/TfrmResultsIO.h"
#include "workbook/widget/TTKVALS1.h"

#include <QApplication>
#include <QIcon>
#include <exception>

namespace {

using vela::app::Command;

// The Graph command shows the gloss image of the results-file service (the file loaded or
// saved last) in slot 0, labelled with its angle text.
void showGraph()
{
    const auto& image = vela::results::frmResultsIO->resultsImage();
    frmResultsChart->ShowResults(MainMenuDlg->programDirectory(), image.record,
                                 vela::results::frmResultsIO->opacityImage().record, 0,
                                 image.record.angle(), 0);
}

// Loads the system constants workbook and the language file it names (English otherwise).
void loadConstantsAndLanguage(const QString& programDir)
{
    QString language;
    if (!vela::workbook::LoadSystemConstantsAtStartup(&language))
        return;
    frmTranslation->translator().setProgramDirectory(programDir);
    frmTranslation->LoadTranslationFile(language);
}

// Creates the windows of the program in their start-up order and binds the main window's
// commands to the ones that exist.
void createWindows(const QString& programDir)
{
    MainMenuDlg = new vela::app::TMainMenuDlg();
    VelaLiteSetup = new vela::service::TVelaLiteSetup();
    TKVALS1 = new vela::workbook::TTKVALS1();
    loadConstantsAndLanguage(programDir);

    VelaLiteInterface = new vela::link::TVelaLiteInterface();
    // GeneralChart and GeneralSheet are created here.
    Preferences = new vela::service::TPreferences();
    AboutBox = new vela::app::TAboutBox(MainMenuDlg);
    CreateResultsChart();
    vela::results::frmResultsIO = new vela::results::TfrmResultsIO(MainMenuDlg);
    // Programming is created here.
    Connect = new vela::connect::TConnect(MainMenuDlg);
    // frmPFSheet and InstrumentTester follow.

    VelaLiteSetup->bindInterfaceLimits({VelaLiteInterface->HighLimit[0], VelaLiteInterface->LowLimit[0],
                                        VelaLiteInterface->Difference[0], VelaLiteInterface->HighLimit[1],
                                        VelaLiteInterface->LowLimit[1], VelaLiteInterface->Difference[1]});
    VelaLiteSetup->setReopenPort([] { VelaLiteInterface->ApplySavedPortSettings(); });
    VelaLiteSetup->setShowInterface([] { VelaLiteInterface->show(); VelaLiteInterface->raise(); });
    Connect->bindPreferences();
    Connect->bindResultsChart();
    MainMenuDlg->bind(Command::Connect, [] { Connect->ShowConnect(MainMenuDlg->programDirectory(), 1); });
    MainMenuDlg->bind(Command::Preferences, [] { Preferences->ShowPreferences(); });
    MainMenuDlg->bind(Command::SetupInterface, [] { VelaLiteSetup->show(); VelaLiteSetup->raise(); });
    MainMenuDlg->bindInstrument(vela::connect::InstrumentConnected, vela::connect::SwitchOff);
    MainMenuDlg->bind(Command::CalDate, vela::connect::CalDate);

    frmTranslation->setLanguageSaver(vela::workbook::SaveLanguageToConstants);
    frmResultsChart->setResultsPathSource([] { return vela::results::frmResultsIO->currentPath(); });
    MainMenuDlg->bind(Command::Language, [] {
        frmTranslation->ShowLanguageSelection(MainMenuDlg->programDirectory(), true);
    });
    MainMenuDlg->bind(Command::SystemConstants, [] {
        TKVALS1->ShowSystemConstants(MainMenuDlg->programDirectory(), 1);
    });
    MainMenuDlg->bind(Command::Graph, showGraph);
    MainMenuDlg->setArrangeList({Connect, frmResultsChart, VelaLiteInterface, VelaLiteSetup,
                                 frmTranslation, Preferences});
}

} // namespace

int main(int argc, char** argv)
{
    const QString programDir = vela::platform::programDirectory();
    QApplication app(argc, argv);
    try {
        vela::app::initArtResources();
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/icon.svg")));
        vela::platform::setDialogs(std::make_unique<vela::platform::QtDialogs>());

        IntroScreen = new vela::app::TIntroScreen();
        IntroScreen->show();
        IntroScreen->repaint();
        QApplication::processEvents();

        auto& translator = vela::translation::translator();
        translator.setProgramDirectory(programDir);
        frmTranslation = new vela::translation::TfrmTranslation(translator);
        frmTranslation->show();
        frmTranslation->repaint();
        frmTranslation->hide();

        QApplication::setApplicationDisplayName(QStringLiteral("Vela-Soft"));
        QApplication::setApplicationName(QStringLiteral("Vela-Soft"));
        vela::app::setApplicationHelpFile(
            vela::platform::joinPath(programDir, QStringLiteral("\\sys\\Vela-Soft Help.chm")));

        createWindows(programDir);
        MainMenuDlg->show();
        if (IntroScreen->isVisible())
            IntroScreen->raise();  // the splash stays above the main window until its time is up
        const int rc = QApplication::exec();
        // Windows write their settings while they are destroyed.
        delete Connect;
        delete Preferences;
        delete VelaLiteInterface;
        delete frmResultsChart;
        delete TKVALS1;
        delete VelaLiteSetup;
        delete MainMenuDlg;
        delete frmTranslation;
        delete IntroScreen;
        return rc;
    } catch (const std::exception& e) {
        vela::platform::dialogs().messageBox(QString::fromLocal8Bit(e.what()),
                                             QStringLiteral("Vela-Soft"), vela::platform::MB_OK);
        return 1;
    }
}
