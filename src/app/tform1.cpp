// The main window: its controls, their first state and the start-up sequence.

#include "app/tform1.h"

#include "app/error_report.h"
#include "app/fonts.h"
#include "app/pictures.h"
#include "logo/default_picture.h"
#include "protocol/time_left.h"
#include "serial/comms_error.h"

#include <QCloseEvent>
#include <QFont>
#include <QStyle>

#include <map>

namespace vx {
namespace {

const QString kLine1Text = QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !");
const QString kLabelDesignText = QStringLiteral(" VORLANDEX VORLANDEX VORLANDEX VORLANDEX");

QFont boldFont(const QFont& base, int pointSize = 0) {
  QFont f = base;
  f.setBold(true);
  if (pointSize > 0) f.setPointSize(pointSize);
  return f;
}

}  // namespace

TForm1::TForm1(std::unique_ptr<Dialogs> dialogs, std::unique_ptr<Pacer> pacer, QWidget* parent)
    // A fixed single border with the system menu, the minimise box and the close button:
    // no maximise box, no resizing.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      dialogs_(dialogs ? std::move(dialogs) : makeQtDialogs(this)),
      pacer_(pacer ? std::move(pacer) : makeSteadyPacerForWindow()),
      timeLeft_(std::make_unique<TimeLeft>(*pacer_)) {
  setObjectName(QStringLiteral("Form1"));
  createControls();
  wireHandlers();
  FormCreate();
}

TForm1::~TForm1() { destroyPort(); }

void TForm1::createControls() {
  setWindowTitle(QStringLiteral("Configurações da impressora VORLANDEX"));
  setFixedSize(1078, 601);
  QFont base(QStringLiteral("Liberation Sans"));
  base.setFamilies(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  base.setStyleHint(QFont::SansSerif);
  base.setPointSize(8);
  setFont(base);
  const QFont bold = boldFont(base);
  const QFont title = boldFont(base, 12);

  auto frame = [this](const QString& caption, int x, int y, int w, int h) {
    auto* g = new QGroupBox(caption, this);
    g->setGeometry(x, y, w, h);
    return g;
  };
  auto label = [this](const QString& caption, int x, int y, int w, int h) {
    auto* l = new QLabel(caption, this);
    l->setGeometry(x, y, w, h);
    return l;
  };
  // Each picture of the buttons is made once and shared.
  std::map<QStyle::StandardPixmap, QIcon> icons;
  auto button = [this, &icons](const QString& caption, QStyle::StandardPixmap icon, int x, int y, int w, int h) {
    auto found = icons.find(icon);
    if (found == icons.end()) found = icons.emplace(icon, style()->standardIcon(icon)).first;
    auto* b = new QPushButton(found->second, caption, this);
    b->setGeometry(x, y, w, h);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
  };
  auto named = [](QObject* o, const char* name) { o->setObjectName(QString::fromLatin1(name)); };

  // Frames first, so they lie behind the controls they hold.
  GroupBox1 = frame(QStringLiteral("Configurações do Botão"), 6, 79, 452, 230);
  Label28 = frame(QStringLiteral("Configuração de Logotipo (Todos Botões)"), 6, 311, 452, 287);
  GroupBox3 = frame(QStringLiteral("Configurações de Texto"), 464, 79, 251, 519);
  GroupBox4 = frame(QStringLiteral("Pré-visualização da Senha"), 721, 83, 346, 508);
  named(GroupBox1, "GroupBox1");
  named(Label28, "Label28");
  named(GroupBox3, "GroupBox3");
  named(GroupBox4, "GroupBox4");

  // --- Command row ---
  BitBtn5 = button(QStringLiteral("Abrir"), QStyle::SP_DialogOpenButton, 6, 8, 80, 34);
  BitBtn4 = button(QStringLiteral("Salvar"), QStyle::SP_DialogSaveButton, 90, 8, 80, 34);
  BitBtn2 = button(QStringLiteral("Enviar Todas as Configurações Para Impressora"), QStyle::SP_ArrowUp, 176, 8,
                   252, 34);
  BitBtn6 = button(QStringLiteral("Enviar sem logo"), QStyle::SP_ArrowUp, 432, 8, 112, 34);
  BitBtn3 = button(QStringLiteral("Configurar Hora e Data"), QStyle::SP_BrowserReload, 548, 8, 150, 34);
  named(BitBtn5, "BitBtn5");
  named(BitBtn4, "BitBtn4");
  named(BitBtn2, "BitBtn2");
  named(BitBtn6, "BitBtn6");
  named(BitBtn3, "BitBtn3");
  Label27 = label(QStringLiteral("Porta Serial:"), 706, 6, 76, 15);
  ComboBox1 = new ComboBox(true, this);
  named(ComboBox1, "ComboBox1");
  ComboBox1->setGeometry(706, 22, 58, 22);
  ComboBox1->addItems({QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                       QStringLiteral("COM4")});
  ComboBox1->setItemIndex(0);
  serialPortsButton = new QPushButton(QStringLiteral("…"), this);
  named(serialPortsButton, "serialPortsButton");
  serialPortsButton->setGeometry(765, 22, 22, 22);
  serialPortsButton->setToolTip(QStringLiteral("Portas seriais"));

  CheckBox4 = new CheckBox(QStringLiteral("Emitir bip ao imprimir"), this);
  CheckBox2 = new CheckBox(QStringLiteral("Zerar todas senhas automaticamente ao fim do dia"), this);
  CheckBox7 = new CheckBox(QStringLiteral("Imprime 2 vias"), this);
  named(CheckBox4, "CheckBox4");
  named(CheckBox2, "CheckBox2");
  named(CheckBox7, "CheckBox7");
  CheckBox4->setGeometry(792, 1, 284, 16);
  CheckBox2->setGeometry(792, 17, 284, 16);
  CheckBox7->setGeometry(792, 33, 284, 16);
  CheckBox4->setChecked(true);
  CheckBox2->setChecked(true);

  // --- Tab bar: a button selector without pages of its own ---
  PageControl1 = new TabBar(this);
  named(PageControl1, "PageControl1");
  PageControl1->setFont(bold);
  PageControl1->setGeometry(0, 49, 1078, 22);
  PageControl1->setExpanding(false);
  PageControl1->setDrawBase(true);
  for (int i = 1; i <= 4; ++i) PageControl1->addTab(QStringLiteral("TabSheet%1").arg(i));
  PageControl1->setTabIndex(0);

  // --- Button frame ---
  Label35 = label(QStringLiteral("Funcionamento do botão 1:"), 16, 97, 430, 22);
  Label35->setFont(title);
  named(Label35, "Label35");
  Image10 = new Image(this);
  named(Image10, "Image10");
  Image10->setGeometry(14, 122, 279, 97);
  Image10->setPicture(buttonPanelPicture());
  Image10->setCursor(Qt::PointingHandCursor);
  std::array<Image**, 4> highlights = {&Image11, &Image12, &Image13, &Image14};
  for (int b = 1; b <= 4; ++b) {
    Image* h = new Image(this);
    h->setObjectName(QStringLiteral("Image%1").arg(10 + b));
    h->setGeometry(pressedButtonRect(b).translated(Image10->pos()));
    h->setPicture(pressedButtonPicture(b));
    h->setVisible(b == 1);
    *highlights[b - 1] = h;
  }
  Label30 = label(QStringLiteral("De A00 a A99"), 14, 224, 279, 26);
  Label30->setFont(title);
  Label30->setAlignment(Qt::AlignCenter);
  named(Label30, "Label30");

  Label31 = label(QStringLiteral("Atendimento"), 304, 118, 146, 15);
  ComboBox5 = new ComboBox(true, this);
  named(ComboBox5, "ComboBox5");
  ComboBox5->setGeometry(304, 133, 146, 22);
  ComboBox5->addItems({"A", "b", "C", "d", "E", "F", "G", "H", "i", "J", "L", "n", "o", "P", "q", "r", "t", "U",
                       "Inativo"});
  ComboBox5->setItemIndex(0);
  Label32 = label(QStringLiteral("Imprimir letra:"), 304, 158, 146, 15);
  ComboBox6 = new ComboBox(false, this);
  named(ComboBox6, "ComboBox6");
  ComboBox6->setGeometry(304, 173, 146, 22);
  ComboBox6->addItems({QStringLiteral("Imprimir"), QStringLiteral("Não imprimir")});
  ComboBox6->setItemIndex(0);
  Label33 = label(QStringLiteral("Inicia em :"), 304, 198, 70, 15);
  SpinEdit12 = new SpinEdit(this);
  named(SpinEdit12, "SpinEdit12");
  SpinEdit12->setGeometry(304, 213, 70, 22);
  SpinEdit12->setMinValue(0);
  SpinEdit12->setMaxValue(999);
  SpinEdit12->setValue(0);
  Label34 = label(QStringLiteral("Termina em :"), 380, 198, 70, 15);
  SpinEdit13 = new SpinEdit(this);
  named(SpinEdit13, "SpinEdit13");
  SpinEdit13->setGeometry(380, 213, 70, 22);
  SpinEdit13->setMinValue(0);
  SpinEdit13->setMaxValue(99);
  SpinEdit13->setValue(99);
  BitBtn1 = button(QStringLiteral("Enviar Todas Configurações de Botões e Atendimento"), QStyle::SP_ArrowUp, 14,
                   256, 436, 44);
  named(BitBtn1, "BitBtn1");

  // --- Logo frame ---
  Label25 = label(QStringLiteral("Zoom"), 14, 329, 36, 16);
  named(Label25, "Label25");
  ScrollBar2 = new ScrollBar(Qt::Horizontal, this);
  named(ScrollBar2, "ScrollBar2");
  ScrollBar2->setGeometry(52, 329, 400, 16);
  ScrollBar2->setRange(20, 400);
  ScrollBar2->setPageStep(30);
  ScrollBar2->setValue(20);
  ScrollBar1 = new ScrollBar(Qt::Vertical, this);
  named(ScrollBar1, "ScrollBar1");
  ScrollBar1->setGeometry(28, 347, 17, 200);
  ScrollBar1->setRange(10, 200);
  ScrollBar1->setPageStep(20);
  ScrollBar1->setValue(10);
  Image3 = new Image(this);
  named(Image3, "Image3");
  Image3->setGeometry(52, 347, 400, 10);
  {
    QImage white(618, 445, QImage::Format_RGB32);
    white.fill(Qt::white);
    Image3->setPicture(white);
    Image3->setStretch(false);
  }
  Image1 = new Image(this);
  named(Image1, "Image1");
  Image1->setGeometry(52, 347, 20, 10);
  sourcePicture = defaultSourcePicture();
  BitBtn15 = button(QStringLiteral("Abrir imagem"), QStyle::SP_DirOpenIcon, 14, 551, 100, 21);
  BitBtn11 = button(QStringLiteral("Atualizar imagem"), QStyle::SP_BrowserReload, 118, 551, 116, 21);
  named(BitBtn15, "BitBtn15");
  named(BitBtn11, "BitBtn11");
  Label24 = label(QStringLiteral("Contraste:"), 242, 553, 52, 16);
  named(Label24, "Label24");
  ScrollBar3 = new ScrollBar(Qt::Horizontal, this);
  named(ScrollBar3, "ScrollBar3");
  ScrollBar3->setGeometry(296, 553, 90, 16);
  ScrollBar3->setRange(1, 255);
  ScrollBar3->setPageStep(20);
  ScrollBar3->setValue(127);
  blackShareLabel = label(QStringLiteral("Preto: 0 %"), 392, 553, 60, 16);
  named(blackShareLabel, "blackShareLabel");
  blackShareLabel->setToolTip(
      QStringLiteral("Parte da área do logotipo que a impressora imprime em preto"));
  CheckBox1 = new CheckBox(QStringLiteral("Imprimir Logotipo"), this);
  named(CheckBox1, "CheckBox1");
  CheckBox1->setGeometry(14, 575, 112, 18);
  CheckBox1->setChecked(true);
  suggestButton = button(QStringLiteral("Sugerir"), QStyle::SP_DialogApplyButton, 128, 574, 64, 21);
  named(suggestButton, "suggestButton");
  suggestButton->setToolTip(QStringLiteral("Sugere o contraste pelo histograma da imagem"));
  BitBtn12 = button(QStringLiteral("Enviar Todas Configurações de Logotipo"), QStyle::SP_ArrowUp, 196, 574,
                    256, 21);
  named(BitBtn12, "BitBtn12");

  // --- Text frame ---
  Label2 = label(QStringLiteral("Senha Emitida Pelo Botão 1"), 472, 96, 236, 17);
  Label2->setFont(bold);
  named(Label2, "Label2");
  Label3 = label(QStringLiteral("Informações do Cabeçalho"), 472, 116, 236, 16);
  Label3->setFont(bold);
  Label4 = label(QStringLiteral("Informações do Rodapé"), 472, 298, 236, 16);
  Label4->setFont(bold);
  std::array<LineEdit**, 9> edits = {nullptr, &Edit6, &Edit7, &Edit8, &Edit9, &Edit10, &Edit11, &Edit12, &Edit13};
  std::array<CheckBox**, 9> enables = {nullptr,     &CheckBox5,  &CheckBox8,  &CheckBox11, &CheckBox14,
                                       &CheckBox17, &CheckBox20, &CheckBox23, &CheckBox26};
  std::array<CheckBox**, 9> expands = {nullptr,     &CheckBox3,  &CheckBox6,  &CheckBox9, &CheckBox12,
                                       &CheckBox15, &CheckBox18, &CheckBox21, &CheckBox24};
  for (int l = 1; l <= 8; ++l) {
    const int y = l <= 4 ? 134 + (l - 1) * 40 : 316 + (l - 5) * 40;
    auto* e = new LineEdit(this);
    e->setObjectName(QStringLiteral("Edit%1").arg(5 + l));
    e->setGeometry(472, y, 236, 20);
    e->setLimit(40);
    e->setText(l == 1 ? kLine1Text : QStringLiteral("Linha %1").arg(l));
    auto* en = new CheckBox(QStringLiteral("Habilitar linha"), this);
    en->setObjectName(QStringLiteral("CheckBox%1").arg(2 + 3 * l));
    en->setGeometry(472, y + 21, 112, 16);
    en->setChecked(l == 1);
    auto* ex = new CheckBox(QStringLiteral("Expandido"), this);
    ex->setObjectName(QStringLiteral("CheckBox%1").arg(3 * l));
    ex->setGeometry(596, y + 21, 112, 16);
    // In the window's initial state only lines 2..7 are disabled; start-up brings line 8
    // in line with them.
    const bool enabled = l == 1 || l == 8;
    e->setEnabled(enabled);
    ex->setEnabled(enabled);
    *edits[l] = e;
    *enables[l] = en;
    *expands[l] = ex;
    lineEdit[l] = e;
    lineEnabled[l] = en;
    lineExpanded[l] = ex;
  }
  GroupBox2 = frame(QStringLiteral("Corte do papel"), 472, 476, 236, 46);
  named(GroupBox2, "GroupBox2");
  RadioButton1 = new RadioButton(QStringLiteral("Corte Parcial"), this);
  RadioButton2 = new RadioButton(QStringLiteral("Corte Total"), this);
  named(RadioButton1, "RadioButton1");
  named(RadioButton2, "RadioButton2");
  RadioButton1->setGeometry(484, 496, 104, 18);
  RadioButton2->setGeometry(596, 496, 104, 18);
  RadioButton1->setGroup({RadioButton1, RadioButton2});
  RadioButton2->setGroup({RadioButton1, RadioButton2});
  RadioButton1->setChecked(true);
  BitBtn14 = button(QStringLiteral("Enviar Configurações de Texto do Botão"), QStyle::SP_ArrowUp, 472, 530, 236,
                    40);
  named(BitBtn14, "BitBtn14");

  // --- Preview frame; children are created back to front ---
  Label1 = label(QStringLiteral("Senha Emitida Pelo Botão 1"), 809, 98, 240, 16);
  Label1->setFont(bold);
  named(Label1, "Label1");
  Image5 = new Image(this);
  named(Image5, "Image5");
  Image5->setGeometry(733, 116, 321, 193);
  Image5->setPicture(ticketPaperPicture());
  Image2 = new Image(this);
  named(Image2, "Image2");
  Image2->setGeometry(749, 164, 289, 145);
  Image2->setPicture(logoRaster.image());
  Image4 = new Image(this);
  named(Image4, "Image4");
  Image4->setGeometry(733, 229, 321, 145);
  Image4->setPicture(ticketPaperPicture());
  std::array<QLabel**, 9> labels = {nullptr, &Label5, &Label6, &Label7, &Label8, &Label9, &Label10, &Label11, &Label12};
  for (int l = 1; l <= 8; ++l) {
    auto* lab = label(kLabelDesignText, 752, 170 + 18 * l, 280, 18);
    lab->setObjectName(QStringLiteral("Label%1").arg(4 + l));
    lab->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lab->setAttribute(Qt::WA_TranslucentBackground);
    lab->setVisible(l == 1 || l == 8);
    // Line 1's label gets its fixed-pitch font at start-up.
    if (l > 1) lab->setFont(ticketFont(8, false));
    *labels[l] = lab;
    lineLabel[l] = lab;
  }
  Label13 = label(QStringLiteral("SENHA"), 861, 259, 100, 24);
  Label13->setFont(ticketFontPixels(21, true));
  named(Label13, "Label13");
  Label15 = label(QString(), 800, 344, 220, 17);
  Label15->setFont(ticketFontPixels(13, false));
  named(Label15, "Label15");
  Image6 = new Image(this);
  named(Image6, "Image6");
  Image6->setGeometry(802, 284, 185, 57);
  Image6->setPicture(sampleTicketNumberPicture());

  // --- Not visible ---
  ListBox2 = new QListWidget(this);
  named(ListBox2, "ListBox2");
  ListBox2->setVisible(false);
  BitBtn17 = new QPushButton(this);
  named(BitBtn17, "BitBtn17");
  BitBtn17->setVisible(false);

  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
  Timer2 = new QTimer(this);
  Timer2->setInterval(50);
  Timer3 = new QTimer(this);
  Timer3->setInterval(1000);

  createPort();
}

void TForm1::wireHandlers() {
  connect(BitBtn5, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn5Click(); }); });
  connect(BitBtn4, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn4Click(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn2Click(); }); });
  connect(BitBtn6, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn6Click(); }); });
  connect(BitBtn3, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn3Click(); }); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn1Click(); }); });
  connect(BitBtn14, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn14Click(); }); });
  connect(BitBtn12, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn12Click(); }); });
  connect(BitBtn11, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn11Click(); }); });
  connect(BitBtn15, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn15Click(); }); });
  connect(serialPortsButton, &QPushButton::clicked, this, [this] { runHandler([this] { serialPortsButtonClick(); }); });
  connect(suggestButton, &QPushButton::clicked, this, [this] { runHandler([this] { suggestButtonClick(); }); });
  logoDrop = new LogoDropTarget(this);
  for (QWidget* w : {static_cast<QWidget*>(Label28), static_cast<QWidget*>(Image3), static_cast<QWidget*>(Image1)})
    logoDrop->watch(w);
  logoDrop->onFile = [this](const QString& name) { openPictureFile(name); };
  logoDrop->onRefused = [this](const QString& reason) {
    dialogs().messageBox(QStringLiteral("Abrir imagem"), reason, MessageIcon::Warning, MessageButtons::Ok);
  };

  ComboBox1->onChange = [this] { ComboBox1Change(); };
  CheckBox2->onClick = [this] { CheckBox2Click(); };
  CheckBox7->onClick = [this] { CheckBox2Click(); };
  // "Emitir bip ao imprimir" is saved in the file like the other options, so a change to
  // it alone is an unsaved change too.
  CheckBox4->onClick = [this] { CheckBox2Click(); };
  PageControl1->onChange = [this] { PageControl1Change(); };

  Image10->onMouseDown = [this](int x, int y) { Image10MouseDown(x, y); };
  Image11->onClick = [this] { Image11Click(); };
  Image12->onClick = [this] { Image12Click(); };
  Image13->onClick = [this] { Image13Click(); };
  Image14->onClick = [this] { Image14Click(); };
  SpinEdit12->onChange = [this] { SpinEdit12Change(); };
  SpinEdit13->onChange = [this] { SpinEdit12Change(); };
  ComboBox5->onChange = [this] { SpinEdit12Change(); };
  ComboBox6->onChange = [this] { SpinEdit12Change(); };
  RadioButton1->onClick = [this] { RadioButton1Click(); };
  RadioButton2->onClick = [this] { RadioButton2Click(); };

  for (int l = 1; l <= 8; ++l) {
    lineEdit[l]->onChange = [this] { Edit6Change(); };
    lineEnabled[l]->onClick = [this, l] { lineEnabledClick(l); };
    lineExpanded[l]->onClick = [this, l] { lineExpandedClick(l); };
  }

  ScrollBar1->onChange = [this] { ScrollBar1Change(); };
  ScrollBar2->onChange = [this] { ScrollBar2Change(); };
  ScrollBar3->onChange = [this] { ScrollBar3Change(); };
  CheckBox1->onClick = [this] { CheckBox1Click(); };

  connect(Timer1, &QTimer::timeout, this, [this] { runHandler([this] { Timer1Timer(); }); });
  connect(Timer2, &QTimer::timeout, this, [this] { runHandler([this] { Timer2Timer(); }); });
  connect(Timer3, &QTimer::timeout, this, [this] { runHandler([this] { Timer3Timer(); }); });
}

void TForm1::copyLinesToModel(int button) {
  for (int l = 1; l <= kLines; ++l) {
    model.texto[l][button] = lineEdit[l]->text();
    model.habilita_linha[l][button] = lineEnabled[l]->isChecked() ? 1 : 0;
    model.expandido[l][button] = lineExpanded[l]->isChecked() ? 1 : 0;
  }
}

void TForm1::FormCreate() {
  model.impressora_alterada = 0;
  model.botao_atual = 1;
  model.carregando = 1;
  // The line tables of all six slots come from the controls' initial state.
  for (int b = 1; b <= kButtons; ++b) copyLinesToModel(b);
  for (int i = 0; i < 4; ++i) PageControl1->setTabText(i, QStringLiteral("    Botão %1    ").arg(i + 1));
  // Links to themselves, the letters A b C d, letters printed, numbers 0..99.
  applyNumberingDefaults(model);
  model.carregando = 0;
  CheckBox26Click();
  SpinEdit12Change();
  model.esquerda_logo = Image1->x();
  Label5->setFont(ticketFont(8, false));
  ScrollBar1->setValue(90);
  ScrollBar2->setValue(300);
  model.carregando = 0;

  Timer1->start();
  Timer2->setSingleShot(true);
  Timer2->start();
  Timer3->setSingleShot(true);
  Timer3->start();
  Timer1Timer();
}

void TForm1::installErrorReport(const QString& executablePath) {
  const QString title = programTitle(executablePath);
  setErrorReporter([this, title](const std::exception& e) {
    // A refused port also says which device and why.
    const auto* comms = dynamic_cast<const ECommsError*>(&e);
    dialogs().messageBoxWithDetail(title, reportText(QString::fromUtf8(e.what())),
                                   comms ? QString::fromStdString(comms->detail()) : QString(), MessageIcon::Error,
                                   MessageButtons::Ok);
  });
}

void TForm1::closeEvent(QCloseEvent* event) {
  // While a job runs the window is disabled; a window manager's close request would
  // otherwise re-enter the running job through its message pump.
  if (jobRunning_) {
    event->ignore();
    return;
  }
  // A close query that fails (a save that could not be written) keeps the window open.
  bool canClose = false;
  runHandler([&] { canClose = FormCloseQuery(); });
  if (!canClose) {
    event->ignore();
    return;
  }
  runHandler([this] { FormClose(); });
  event->accept();
}

}  // namespace vx
