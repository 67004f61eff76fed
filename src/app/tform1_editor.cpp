// The button page (selection, numbering, links between buttons), the ticket lines and the
// live ticket preview.

#include "app/fonts.h"
#include "app/pictures.h"
#include "app/tform1.h"
#include "editor/button_links.h"
#include "model/cp1252.h"

#include <QDateTime>
#include <QLocale>

namespace vx {
namespace {

constexpr int kInativoItem = 18;  // ComboBox5's last item, "Inativo"

// The ticket number as the printer shows it: three digits, zero-padded.
QString numberText(int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); }

// The nearest integer to v × 0.7225 (289/400: the preview shows the 400-dot logo 289
// pixels wide), ties to the even integer, in exact integer arithmetic.
int previewLogoHeight(int v) {
  const long long n = static_cast<long long>(v) * 7225;
  long long q = n / 10000;
  long long r = n % 10000;
  if (r < 0) {
    r += 10000;
    --q;
  }
  if (r > 5000 || (r == 5000 && (q & 1))) ++q;
  return static_cast<int>(q);
}

// The system's long time format without a time-zone field: the clock shows local time.
QString longTimeFormat() {
  QString f = QLocale::system().timeFormat(QLocale::LongFormat);
  f.remove(QLatin1Char('t'));
  return f.trimmed();
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Button page

void TForm1::PageControl1Change() {
  Image11->setVisible(false);
  Image12->setVisible(false);
  Image13->setVisible(false);
  Image14->setVisible(false);
  const int n = PageControl1->currentIndex() + 1;
  std::array<Image*, 5> highlight = {nullptr, Image11, Image12, Image13, Image14};
  highlight[n]->setVisible(true);
  model.botao_atual = n;

  Label35->setText(QStringLiteral("Funcionamento do botão %1:").arg(n));
  Label1->setText(QStringLiteral("Senha Emitida Pelo Botão %1").arg(n));
  Label2->setText(QStringLiteral("Senha Emitida Pelo Botão %1").arg(n));

  // No stored number may be clipped while it is loaded.
  SpinEdit12->setMaxValue(999);
  SpinEdit13->setMaxValue(999);

  model.carregando = 1;
  for (int l = 1; l <= kLines; ++l) lineEdit[l]->setText(model.texto[l][n]);
  for (int l = 1; l <= kLines; ++l) lineEnabled[l]->setChecked(model.habilita_linha[l][n] != 0);
  for (int l = 1; l <= kLines; ++l) lineExpanded[l]->setChecked(model.expandido[l][n] != 0);
  SpinEdit12->setValue(model.inicio[n]);
  SpinEdit13->setValue(model.termino[n]);

  bool found = false;
  for (int i = 0; i < ComboBox5->count(); ++i) {
    const QString item = ComboBox5->itemText(i);
    if (!item.isEmpty() && cp1252::encode(item.left(1)).at(0) == static_cast<char>(model.letra[n])) {
      ComboBox5->setItemIndex(i);
      found = true;
    }
  }
  // A letter typed by the operator that is not an item is shown as it is stored, so the
  // numbering handler stores it back instead of the previous button's letter.
  if (!found) {
    ComboBox5->setItemIndex(-1);
    if (model.letra[n] != 0) ComboBox5->setEditText(QString(QChar(cp1252::decodeByte(model.letra[n]))));
  }
  // Only "Imprimir" (0) and "Não imprimir" (1) exist; anything else a file held reads as
  // "Imprimir".
  ComboBox6->setItemIndex(model.imprime_letra[n] == 1 ? 1 : 0);
  model.carregando = 0;

  SpinEdit12Change();
}

void TForm1::Image10MouseDown(int x, int y) {
  // The same split that places the highlights: x <= 138 is the left column, y <= 48 the top row.
  const bool left = x < kButtonPanelSplitX;
  const bool top = y < kButtonPanelSplitY;
  const int tab = left ? (top ? 0 : 1) : (top ? 2 : 3);
  PageControl1->setTabIndex(tab);
  PageControl1Change();
}

void TForm1::Image11Click() { PageControl1->setTabIndex(0); }
void TForm1::Image12Click() { PageControl1->setTabIndex(1); }
void TForm1::Image13Click() { PageControl1->setTabIndex(2); }
void TForm1::Image14Click() { PageControl1->setTabIndex(3); }

void TForm1::SpinEdit12Change() {
  const int b = model.botao_atual;
  model.alterado = 1;
  if (model.carregando == 1) return;

  if (ComboBox5->itemIndex() == kInativoItem) {
    Label30->setText(QStringLiteral("Botão Inativo"));
    model.letra[b] = kInactiveLetter;
    model.igual_botao[b] = kInactiveLink;
    return;
  }

  if (SpinEdit12->value() > SpinEdit13->value()) {
    SpinEdit12->setValue(SpinEdit13->value());
    dialogs().messageBox(QStringLiteral("Valor inválido"),
                         QStringLiteral("   O número de início deve ser menor que o de término."),
                         MessageIcon::Warning, MessageButtons::Ok);
  }

  model.inicio[b] = SpinEdit12->value();
  model.termino[b] = SpinEdit13->value();
  model.imprime_letra[b] = static_cast<std::uint8_t>(ComboBox6->itemIndex());
  // With the letter field empty there is no letter to store: the button keeps its own.
  const QString letterText = ComboBox5->text();
  if (!letterText.isEmpty()) model.letra[b] = static_cast<std::uint8_t>(cp1252::encode(letterText.left(1)).at(0));

  const bool printLetter = ComboBox6->itemIndex() != 1;
  if (!printLetter) {
    SpinEdit12->setMaxValue(999);
    SpinEdit13->setMaxValue(999);
  } else {
    SpinEdit12->setMaxValue(99);
    SpinEdit13->setMaxValue(99);
    if (SpinEdit12->value() > 99) SpinEdit12->setValue(99);
    if (SpinEdit13->value() > 99) SpinEdit13->setValue(99);
  }

  QString startText = numberText(SpinEdit12->value());
  QString endText = numberText(SpinEdit13->value());
  if (printLetter) {
    const QChar letter(cp1252::decodeByte(model.letra[b]));
    startText[0] = letter;
    endText[0] = letter;
  }
  Label30->setText(QStringLiteral("De: ") + startText + QStringLiteral(" a ") + endText);

  // The button follows the lowest earlier button with its letter and takes over that
  // button's numbering as it stands; the rule is the one the settings job and the save
  // apply to every button.
  const int follows = linkButton(model, b);
  if (follows != b) {
    Label30->setText(QStringLiteral("Igual Botão %1").arg(follows));
    ComboBox6->setItemIndex(model.imprime_letra[b] == 1 ? 1 : 0);
    // The taken-over values are not the operator's input, so they are not checked against
    // each other on the way in (which would warn about a start the operator never entered).
    model.carregando = 1;
    SpinEdit13->setMaxValue(999);
    SpinEdit12->setMaxValue(999);
    SpinEdit13->setValue(model.termino[b]);
    SpinEdit12->setValue(model.inicio[b]);
    const int limit = model.imprime_letra[b] == 1 ? 999 : 99;
    SpinEdit12->setMaxValue(limit);
    SpinEdit13->setMaxValue(limit);
    model.carregando = 0;
    Desativa();
  } else {
    Ativa();
  }
}

void TForm1::Ativa() {
  Label1->setEnabled(true);
  Label2->setEnabled(true);
  SpinEdit12->setEnabled(true);
  SpinEdit13->setEnabled(true);
  for (int l = 1; l <= kLines; ++l)
    if (lineEnabled[l]->isChecked()) lineEdit[l]->setEnabled(true);
  for (int l = 1; l <= kLines; ++l) lineEnabled[l]->setEnabled(true);
  ComboBox6->setEnabled(true);
}

void TForm1::Desativa() {
  Label1->setEnabled(false);
  Label2->setEnabled(false);
  SpinEdit12->setEnabled(false);
  SpinEdit13->setEnabled(false);
  for (int l = 1; l <= kLines; ++l) lineEdit[l]->setEnabled(false);
  for (int l = 1; l <= kLines; ++l) lineEnabled[l]->setEnabled(false);
  ComboBox6->setEnabled(false);
}

void TForm1::RadioButton1Click() { model.alterado = 1; }
void TForm1::RadioButton2Click() { model.alterado = 1; }
void TForm1::CheckBox2Click() { model.alterado = 1; }

// ---------------------------------------------------------------------------------------
// Ticket lines

void TForm1::Edit6Change() {
  grava_texto();
  atualiza_senha();
}

void TForm1::lineEnabledClick(int line) {
  grava_texto();
  atualiza_senha();
  const bool on = lineEnabled[line]->isChecked();
  lineEdit[line]->setEnabled(on);
  lineExpanded[line]->setEnabled(on);
  lineLabel[line]->setVisible(on);
}

void TForm1::lineExpandedClick(int line) {
  grava_texto();
  if (lineExpanded[line]->isChecked()) {
    lineLabel[line]->setFont(ticketFont(16, true));
    const QString text = lineEdit[line]->text();
    if (text.size() > 20) lineEdit[line]->setText(text.left(20));
    lineEdit[line]->setLimit(20);
  } else {
    lineLabel[line]->setFont(ticketFont(8, false));
    lineEdit[line]->setLimit(40);
  }
}

void TForm1::grava_texto() {
  if (model.carregando != 0) return;
  copyLinesToModel(model.botao_atual);
}

void TForm1::atualiza_senha() {
  model.alterado = 1;
  for (int l = 1; l <= kLines; ++l) lineLabel[l]->setText(lineEdit[l]->text());

  const int y0 = Image2->y() + previewLogoHeight(ScrollBar1->value());
  Image4->move(Image4->x(), y0);
  int y = y0 + 5;
  auto placeLines = [&](int first, int last) {
    for (int l = first; l <= last; ++l) {
      if (!lineEnabled[l]->isChecked()) continue;
      lineLabel[l]->move(lineLabel[l]->x(), y);
      y += 18;
    }
  };
  placeLines(1, 4);
  Label13->move(Label13->x(), y + 7);
  Image6->move(Image6->x(), y + 32);
  Label15->move(Label15->x(), y + 92);
  y += 112;
  placeLines(5, 8);
  Image4->resize(Image4->width(), y + 10 - y0);
}

void TForm1::Timer1Timer() {
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale = QLocale::system();
  Label15->setText(locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("   ") +
                   now.time().toString(longTimeFormat()));
}

}  // namespace vx
