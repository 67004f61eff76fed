<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_BR">
<context>
    <name>ButtonFrame</name>
    <message>
        <source>Configurações do Botão</source>
        <translation>Button Settings</translation>
    </message>
    <message>
        <source>Botões da impressora</source>
        <translation>Printer buttons</translation>
    </message>
    <message>
        <source>Atendimento</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>Inativo</source>
        <translation>Inactive</translation>
    </message>
    <message>
        <source>Imprimir letra:</source>
        <translation>Print letter:</translation>
    </message>
    <message>
        <source>Imprimir</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Não imprimir</source>
        <translation>Don&apos;t print</translation>
    </message>
    <message>
        <source>Inicia em :</source>
        <translation>Starts at:</translation>
    </message>
    <message>
        <source>Termina em :</source>
        <translation>Ends at:</translation>
    </message>
    <message>
        <source>Enviar Todas Configurações de Botões e Atendimento</source>
        <translation>Send All Button and Service Settings</translation>
    </message>
    <message>
        <source>Escolhe o botão da impressora que a página mostra</source>
        <translation>Chooses the printer button the page shows</translation>
    </message>
    <message>
        <source>Clique num botão (ou use as setas e Enter) para escolhê-lo</source>
        <translation>Click a button (or use the arrow keys and Enter) to choose it</translation>
    </message>
    <message>
        <source>Letra da senha deste botão. A letra de um botão anterior segue a numeração dele; &quot;Inativo&quot; desliga o botão</source>
        <translation>This button&apos;s ticket letter. The letter of an earlier button follows that button&apos;s numbering; &quot;Inactive&quot; switches the button off</translation>
    </message>
    <message>
        <source>Com &quot;Imprimir&quot;, a letra sai antes de um número de 2 dígitos (até 99); sem ela, número de 3 dígitos (até 999)</source>
        <translation>With &quot;Print&quot;, the letter comes before a 2-digit number (up to 99); without it, a 3-digit number (up to 999)</translation>
    </message>
    <message>
        <source>Primeira senha deste botão</source>
        <translation>This button&apos;s first ticket number</translation>
    </message>
    <message>
        <source>Última senha deste botão</source>
        <translation>This button&apos;s last ticket number</translation>
    </message>
    <message>
        <source>Envia à impressora a letra e a numeração dos 4 botões e as opções</source>
        <translation>Sends the letter and numbering of the 4 buttons and the options to the printer</translation>
    </message>
</context>
<context>
    <name>ButtonNumbering</name>
    <message>
        <source>De: %1 a %2</source>
        <translation>From %1 to %2</translation>
    </message>
    <message>
        <source>Botão Inativo</source>
        <translation>Button Inactive</translation>
    </message>
    <message>
        <source>Igual Botão %1</source>
        <translation>Same as Button %1</translation>
    </message>
</context>
<context>
    <name>ButtonPage</name>
    <message>
        <source>Funcionamento do botão %1:</source>
        <translation>Button %1 operation:</translation>
    </message>
    <message>
        <source>Senha Emitida Pelo Botão %1</source>
        <translation>Ticket Issued by Button %1</translation>
    </message>
</context>
<context>
    <name>ButtonPanel</name>
    <message>
        <source>Botão %1</source>
        <translation>Button %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Configurações da impressora VORLANDEX: prepara os botões, os textos, o logotipo e o relógio da impressora de senhas e os envia pela porta serial.</source>
        <translation>VORLANDEX printer settings: prepares the buttons, texts, logo and clock of the queue-ticket printer and sends them over the serial port.</translation>
    </message>
    <message>
        <source>Idioma da janela: pt (português), en (inglês) ou es (espanhol). Sem esta opção, o idioma do ambiente de trabalho.</source>
        <translation>Window language: pt (Portuguese), en (English) or es (Spanish). Without this option, the desktop&apos;s language.</translation>
    </message>
    <message>
        <source>idioma</source>
        <translation>language</translation>
    </message>
    <message>
        <source>arquivo</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Arquivo de configuração (.cfg) a abrir ao iniciar.</source>
        <translation>Configuration file (.cfg) to open at start-up.</translation>
    </message>
    <message>
        <source>[arquivo.cfg]</source>
        <translation>[file.cfg]</translation>
    </message>
    <message>
        <source>Idioma desconhecido: %1 (use pt, en ou es).</source>
        <translation>Unknown language: %1 (use pt, en or es).</translation>
    </message>
    <message>
        <source>Apenas um arquivo de configuração pode ser aberto.</source>
        <translation>Only one configuration file can be opened.</translation>
    </message>
    <message>
        <source>Abre apenas o manual do programa, no índice, sem a janela de configuração.</source>
        <translation>Opens only the program&apos;s handbook, at its contents, without the configuration window.</translation>
    </message>
</context>
<context>
    <name>CommandRow</name>
    <message>
        <source>Desfazer</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Refazer</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Enviar Todas as Configurações Para Impressora</source>
        <translation>Send All Settings to Printer</translation>
    </message>
    <message>
        <source>Enviar sem logo</source>
        <translation>Send Without Logo</translation>
    </message>
    <message>
        <source>Abrir um arquivo de configuração</source>
        <translation>Open a configuration file</translation>
    </message>
    <message>
        <source>Salvar as configurações num arquivo</source>
        <translation>Save the settings to a file</translation>
    </message>
    <message>
        <source>Configurar Hora e Data</source>
        <translation>Set Date and Time</translation>
    </message>
    <message>
        <source>Porta Serial:</source>
        <translation>Serial Port:</translation>
    </message>
    <message>
        <source>Portas seriais</source>
        <translation>Serial ports</translation>
    </message>
    <message>
        <source>Emitir bip ao imprimir</source>
        <translation>Beep when printing</translation>
    </message>
    <message>
        <source>Zerar todas senhas automaticamente ao fim do dia</source>
        <translation>Reset all ticket numbers at the end of the day</translation>
    </message>
    <message>
        <source>Imprime 2 vias</source>
        <translation>Print 2 copies</translation>
    </message>
    <message>
        <source>Porta Serial</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Envia à impressora os botões, o relógio, os textos dos 4 botões e o logotipo (alguns minutos)</source>
        <translation>Sends the buttons, the clock, the texts of the 4 buttons and the logo to the printer (a few minutes)</translation>
    </message>
    <message>
        <source>Envia tudo, menos o logotipo</source>
        <translation>Sends everything but the logo</translation>
    </message>
    <message>
        <source>Acerta o relógio da impressora pela data e hora deste computador</source>
        <translation>Sets the printer&apos;s clock to this computer&apos;s date and time</translation>
    </message>
    <message>
        <source>A impressora apita ao imprimir cada senha</source>
        <translation>The printer beeps when it prints each ticket</translation>
    </message>
    <message>
        <source>Zera os contadores de senhas de todos os botões no fim do dia</source>
        <translation>Resets the ticket counters of all buttons at the end of the day</translation>
    </message>
    <message>
        <source>Cada senha sai em duas vias. Não fica gravado no arquivo de configuração</source>
        <translation>Each ticket is printed twice. Not kept in the configuration file</translation>
    </message>
    <message>
        <source>Ajuda</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Manual do programa. F1 abre a parte do manual sobre o controle em uso.</source>
        <translation>The program&apos;s handbook. F1 opens the part of the handbook about the control in use.</translation>
    </message>
</context>
<context>
    <name>ConfigFiles</name>
    <message>
        <source>Não foi possível ler o arquivo %1: %2</source>
        <translation>The file %1 could not be read: %2</translation>
    </message>
    <message>
        <source>Não foi possível gravar o arquivo %1: %2</source>
        <translation>The file %1 could not be written: %2</translation>
    </message>
    <message>
        <source>é uma pasta</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>não é um arquivo</source>
        <translation>it is not a file</translation>
    </message>
    <message>
        <source>o arquivo de configuração e o arquivo do logotipo teriam o mesmo nome; escolha outro nome</source>
        <translation>the configuration file and the logo file would have the same name; choose another name</translation>
    </message>
    <message>
        <source>o limite é de %1 MB</source>
        <translation>the limit is %1 MB</translation>
    </message>
    <message>
        <source>O arquivo é grande demais para ser um arquivo de configuração (%1)</source>
        <translation>The file is too large to be a configuration file (%1)</translation>
    </message>
    <message>
        <source>O arquivo %1 é grande demais para ser um arquivo de configuração (%2)</source>
        <translation>The file %1 is too large to be a configuration file (%2)</translation>
    </message>
</context>
<context>
    <name>EditPlace</name>
    <message>
        <source>letra do botão %1</source>
        <translation>letter of button %1</translation>
    </message>
    <message>
        <source>&quot;Imprimir letra&quot; do botão %1</source>
        <translation>&quot;Print letter&quot; of button %1</translation>
    </message>
    <message>
        <source>início do botão %1</source>
        <translation>start of button %1</translation>
    </message>
    <message>
        <source>término do botão %1</source>
        <translation>end of button %1</translation>
    </message>
    <message>
        <source>texto da linha %1 do botão %2</source>
        <translation>text of line %1 of button %2</translation>
    </message>
    <message>
        <source>&quot;Habilitar linha&quot; da linha %1 do botão %2</source>
        <translation>&quot;Enable line&quot; of line %1 of button %2</translation>
    </message>
    <message>
        <source>&quot;Expandido&quot; da linha %1 do botão %2</source>
        <translation>&quot;Expanded&quot; of line %1 of button %2</translation>
    </message>
    <message>
        <source>porta serial</source>
        <translation>serial port</translation>
    </message>
    <message>
        <source>&quot;Emitir bip ao imprimir&quot;</source>
        <translation>&quot;Beep when printing&quot;</translation>
    </message>
    <message>
        <source>zerar as senhas ao fim do dia</source>
        <translation>reset the tickets at the end of the day</translation>
    </message>
    <message>
        <source>&quot;Imprime 2 vias&quot;</source>
        <translation>&quot;Print 2 copies&quot;</translation>
    </message>
    <message>
        <source>corte do papel</source>
        <translation>paper cut</translation>
    </message>
    <message>
        <source>imagem do logotipo</source>
        <translation>logo picture</translation>
    </message>
    <message>
        <source>largura do logotipo</source>
        <translation>logo width</translation>
    </message>
    <message>
        <source>altura do logotipo</source>
        <translation>logo height</translation>
    </message>
    <message>
        <source>contraste do logotipo</source>
        <translation>logo contrast</translation>
    </message>
    <message>
        <source>contraste sugerido</source>
        <translation>suggested contrast</translation>
    </message>
    <message>
        <source>&quot;Atualizar imagem&quot;</source>
        <translation>&quot;Update Picture&quot;</translation>
    </message>
    <message>
        <source>&quot;Imprimir Logotipo&quot;</source>
        <translation>&quot;Print Logo&quot;</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Error opening com port</source>
        <translation>Error opening com port</translation>
    </message>
    <message>
        <source>File handle is not a comm handle. </source>
        <translation>File handle is not a comm handle. </translation>
    </message>
    <message>
        <source>Already have a comm file open</source>
        <translation>Already have a comm file open</translation>
    </message>
    <message>
        <source>Unable to create Read thread</source>
        <translation>Unable to create Read thread</translation>
    </message>
    <message>
        <source>Unable to create Write thread</source>
        <translation>Unable to create Write thread</translation>
    </message>
    <message>
        <source>Bitmap image is not valid</source>
        <translation>Bitmap image is not valid</translation>
    </message>
</context>
<context>
    <name>Handbook</name>
    <message>
        <source>pt</source>
        <comment>the handbook folder of this language: its two-letter code</comment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>JobTexts</name>
    <message>
        <source>as configurações dos botões e atendimentos</source>
        <translation>the settings of the buttons and services</translation>
    </message>
    <message>
        <source>das configurações dos botões e atendimentos</source>
        <translation>of the settings of the buttons and services</translation>
    </message>
    <message>
        <source>a hora e a data</source>
        <translation>the time and date</translation>
    </message>
    <message>
        <source>da hora e da data</source>
        <translation>of the time and date</translation>
    </message>
    <message>
        <source>o texto do botão %1</source>
        <translation>the text of button %1</translation>
    </message>
    <message>
        <source>do texto do botão %1</source>
        <translation>of the text of button %1</translation>
    </message>
    <message>
        <source>o logotipo</source>
        <translation>the logo</translation>
    </message>
    <message>
        <source>do logotipo</source>
        <translation>of the logo</translation>
    </message>
    <message>
        <source>Tempo restante: %1 s</source>
        <translation>Time left: %1 s</translation>
    </message>
    <message>
        <source>Tempo restante: %1 min %2 s</source>
        <translation>Time left: %1 min %2 s</translation>
    </message>
    <message>
        <source>A conexão com a impressora foi perdida durante o envio</source>
        <translation>The connection to the printer was lost during the transfer</translation>
    </message>
    <message>
        <source> e </source>
        <translation> and </translation>
    </message>
    <message>
        <source>
Faltou enviar: </source>
        <translation>
Not sent: </translation>
    </message>
    <message>
        <source>
Verifique o cabo da impressora e envie novamente.</source>
        <translation>
Check the printer cable and send again.</translation>
    </message>
</context>
<context>
    <name>LogoFrame</name>
    <message>
        <source>Preto: %1 %</source>
        <translation>Black: %1 %</translation>
    </message>
    <message>
        <source>Configuração de Logotipo (Todos Botões)</source>
        <translation>Logo Settings (All Buttons)</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Logotipo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>Abrir imagem</source>
        <translation>Open Picture</translation>
    </message>
    <message>
        <source>Atualizar imagem</source>
        <translation>Update Picture</translation>
    </message>
    <message>
        <source>Contraste:</source>
        <translation>Contrast:</translation>
    </message>
    <message>
        <source>Altura do logotipo</source>
        <translation>Logo height</translation>
    </message>
    <message>
        <source>Contraste</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>Parte da área do logotipo que a impressora imprime em preto</source>
        <translation>Share of the logo area the printer prints in black</translation>
    </message>
    <message>
        <source>Imprimir Logotipo</source>
        <translation>Print Logo</translation>
    </message>
    <message>
        <source>Sugerir</source>
        <translation>Suggest</translation>
    </message>
    <message>
        <source>Sugere o contraste pelo histograma da imagem</source>
        <translation>Suggests the contrast from the picture&apos;s histogram</translation>
    </message>
    <message>
        <source>Enviar Todas Configurações de Logotipo</source>
        <translation>Send All Logo Settings</translation>
    </message>
    <message>
        <source>Largura do logotipo em pontos da impressora (20 a 400)</source>
        <translation>Logo width in printer dots (20 to 400)</translation>
    </message>
    <message>
        <source>Altura do logotipo em pontos da impressora (10 a 200)</source>
        <translation>Logo height in printer dots (10 to 200)</translation>
    </message>
    <message>
        <source>Limite entre preto e branco. Vale no próximo &quot;Atualizar imagem&quot;</source>
        <translation>Threshold between black and white. Takes effect at the next &quot;Update Picture&quot;</translation>
    </message>
    <message>
        <source>Abre um arquivo de imagem para o logotipo</source>
        <translation>Opens a picture file for the logo</translation>
    </message>
    <message>
        <source>Converte a imagem em preto e branco com o contraste escolhido; a pré-visualização mostra o resultado</source>
        <translation>Turns the picture into black and white at the chosen contrast; the preview shows the result</translation>
    </message>
    <message>
        <source>Imprime o logotipo no alto da senha</source>
        <translation>Prints the logo at the top of the ticket</translation>
    </message>
    <message>
        <source>Envia o logotipo à impressora</source>
        <translation>Sends the logo to the printer</translation>
    </message>
</context>
<context>
    <name>OpenFailure</name>
    <message>
        <source>Dispositivo: %1</source>
        <translation>Device: %1</translation>
    </message>
    <message>
        <source>O caminho não é um dispositivo serial.</source>
        <translation>The path is not a serial device.</translation>
    </message>
    <message>
        <source>O dispositivo não existe. Verifique o cabo e o adaptador.</source>
        <translation>The device does not exist. Check the cable and the adapter.</translation>
    </message>
    <message>
        <source>dono do dispositivo</source>
        <translation>that owns the device</translation>
    </message>
    <message>
        <source>&quot;%1&quot;, dono do dispositivo,</source>
        <translation>&quot;%1&quot;, which owns the device,</translation>
    </message>
    <message>
        <source>Permissão negada. O usuário precisa pertencer ao grupo %1 e entrar novamente na sessão.</source>
        <translation>Permission denied. The user must belong to the group %1 and log in again.</translation>
    </message>
    <message>
        <source>O dispositivo está em uso por outro programa.</source>
        <translation>The device is in use by another program.</translation>
    </message>
    <message>
        <source>Falha ao abrir o dispositivo: %1.</source>
        <translation>The device could not be opened: %1.</translation>
    </message>
</context>
<context>
    <name>PictureReader</name>
    <message>
        <source>O arquivo %1 não é uma imagem que o programa saiba abrir (formatos aceitos: %2).</source>
        <translation>The file %1 is not a picture the program can open (accepted formats: %2).</translation>
    </message>
    <message>
        <source>A imagem %1 está danificada ou incompleta e não pode ser aberta.</source>
        <translation>The picture %1 is damaged or incomplete and cannot be opened.</translation>
    </message>
    <message>
        <source>A imagem %1 não tem tamanho (largura ou altura zero).</source>
        <translation>The picture %1 has no size (zero width or height).</translation>
    </message>
    <message>
        <source>A imagem %1 é grande demais (%2 × %3 pontos); o limite é de %4 pontos por lado e %5 pontos ao todo.</source>
        <translation>The picture %1 is too large (%2 × %3 dots); the limit is %4 dots a side and %5 dots in all.</translation>
    </message>
    <message>
        <source>O arquivo %1 é grande demais para uma imagem (mais de %2 MiB).</source>
        <translation>The file %1 is too large for a picture (more than %2 MiB).</translation>
    </message>
    <message>
        <source>O desenho SVG %1 faz referência a algo fora do arquivo (%2), que o programa não busca. Incorpore as imagens e os estilos no próprio desenho e tente de novo.</source>
        <translation>The SVG drawing %1 refers to something outside the file (%2), which the program does not fetch. Embed the pictures and styles in the drawing itself and try again.</translation>
    </message>
    <message>
        <source>O desenho SVG %1 contém scripts (%2), que o programa não executa. Remova-os do desenho e tente de novo.</source>
        <translation>The SVG drawing %1 contains scripts (%2), which the program does not run. Remove them from the drawing and try again.</translation>
    </message>
    <message>
        <source>O desenho SVG %1 não tem tamanho (largura, altura ou viewBox zero ou inválidos).</source>
        <translation>The SVG drawing %1 has no size (width, height or viewBox zero or invalid).</translation>
    </message>
    <message>
        <source>O desenho SVG %1 está danificado ou não é um SVG válido.</source>
        <translation>The SVG drawing %1 is damaged or not a valid SVG.</translation>
    </message>
    <message>
        <source>Imagens (%1)|%2|Bitmaps (*.bmp)|*.bmp</source>
        <translation>Pictures (%1)|%2|Bitmaps (*.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>O arquivo %1 está vazio.</source>
        <translation>The file %1 is empty.</translation>
    </message>
    <message>
        <source>%1 é uma pasta, não um arquivo de imagem.</source>
        <translation>%1 is a folder, not a picture file.</translation>
    </message>
    <message>
        <source>O arquivo %1 é um desenho SVG, que esta versão do programa não abre. Salve-o como PNG ou BMP e abra esse arquivo.</source>
        <translation>The file %1 is an SVG drawing, which this version of the program does not open. Save it as PNG or BMP and open that file.</translation>
    </message>
</context>
<context>
    <name>PreviewFrame</name>
    <message>
        <source>Pré-visualização da Senha</source>
        <translation>Ticket Preview</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>a pasta não pode ser criada ou não aceita gravação</source>
        <translation>the folder cannot be created or does not accept writing</translation>
    </message>
    <message>
        <source>a nota %1 da cópia está danificada</source>
        <translation>the copy&apos;s note %1 is damaged</translation>
    </message>
</context>
<context>
    <name>TextFrame</name>
    <message>
        <source>Configurações de Texto</source>
        <translation>Text Settings</translation>
    </message>
    <message>
        <source>Informações do Cabeçalho</source>
        <translation>Header Lines</translation>
    </message>
    <message>
        <source>Informações do Rodapé</source>
        <translation>Footer Lines</translation>
    </message>
    <message>
        <source>Corte do papel</source>
        <translation>Paper Cut</translation>
    </message>
    <message>
        <source>Corte Parcial</source>
        <translation>Partial Cut</translation>
    </message>
    <message>
        <source>Corte Total</source>
        <translation>Full Cut</translation>
    </message>
    <message>
        <source>Enviar Configurações de Texto do Botão</source>
        <translation>Send Button Text Settings</translation>
    </message>
    <message>
        <source>Habilitar linha</source>
        <translation>Enable line</translation>
    </message>
    <message>
        <source>Linha %1 (Cabeçalho)</source>
        <translation>Line %1 (header)</translation>
    </message>
    <message>
        <source>Linha %1 (Rodapé)</source>
        <translation>Line %1 (footer)</translation>
    </message>
    <message>
        <source>Habilitar linha %1</source>
        <translation>Enable line %1</translation>
    </message>
    <message>
        <source>Expandido (linha %1)</source>
        <translation>Expanded (line %1)</translation>
    </message>
    <message>
        <source>Expandido</source>
        <translation>Expanded</translation>
    </message>
    <message>
        <source>A impressora corta o papel em parte depois de cada senha</source>
        <translation>The printer cuts the paper partly after each ticket</translation>
    </message>
    <message>
        <source>A impressora corta o papel por inteiro depois de cada senha</source>
        <translation>The printer cuts the paper through after each ticket</translation>
    </message>
    <message>
        <source>Envia à impressora as 8 linhas do botão mostrado e o corte do papel</source>
        <translation>Sends the shown button&apos;s 8 lines and the paper cut to the printer</translation>
    </message>
    <message>
        <source>Texto da linha: até 40 caracteres, 20 se &quot;Expandido&quot;</source>
        <translation>The line&apos;s text: up to 40 characters, 20 when &quot;Expanded&quot;</translation>
    </message>
    <message>
        <source>A linha é impressa</source>
        <translation>The line is printed</translation>
    </message>
    <message>
        <source>Letras em largura dupla: até 20 caracteres</source>
        <translation>Double-width letters: up to 20 characters</translation>
    </message>
</context>
<context>
    <name>vx::HelpWindow</name>
    <message>
        <source>Voltar</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Avançar</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Conteúdo</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Localizar</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Anterior</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Próximo</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Localizar nesta página</source>
        <translation>Find on this page</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Handbook</translation>
    </message>
</context>
<context>
    <name>vx::LineEdit</name>
    <message>
        <source>Caractere não suportado pela impressora: %1</source>
        <translation>Character the printer cannot print: %1</translation>
    </message>
    <message>
        <source>Caracteres não suportados pela impressora: %1</source>
        <translation>Characters the printer cannot print: %1</translation>
    </message>
</context>
<context>
    <name>vx::LogoDropTarget</name>
    <message>
        <source>O que foi solto não é um arquivo. Solte um arquivo de imagem sobre o logotipo.</source>
        <translation>What was dropped is not a file. Drop a picture file on the logo.</translation>
    </message>
    <message>
        <source>Foram soltos %1 itens. Solte um único arquivo de imagem sobre o logotipo.</source>
        <translation>%1 items were dropped. Drop a single picture file on the logo.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; não é um arquivo deste computador. Salve a imagem num arquivo e solte o arquivo sobre o logotipo.</source>
        <translation>&quot;%1&quot; is not a file on this computer. Save the picture to a file and drop the file on the logo.</translation>
    </message>
</context>
<context>
    <name>vx::MainWindow</name>
    <message>
        <source>Desfazer: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>Refazer: %1</source>
        <translation>Redo: %1</translation>
    </message>
    <message>
        <source>Nada a desfazer</source>
        <translation>Nothing to undo</translation>
    </message>
    <message>
        <source>Nada a refazer</source>
        <translation>Nothing to redo</translation>
    </message>
    <message>
        <source>Configurações da impressora VORLANDEX</source>
        <translation>VORLANDEX printer settings</translation>
    </message>
    <message>
        <source>Abrir imagem</source>
        <translation>Open Picture</translation>
    </message>
    <message>
        <source>    Botão %1    </source>
        <translation>    Button %1    </translation>
    </message>
    <message>
        <source>Valor inválido</source>
        <translation>Invalid value</translation>
    </message>
    <message>
        <source>   O número de início deve ser menor que o de término.</source>
        <translation>   The start number must be lower than the end number.</translation>
    </message>
    <message>
        <source>Arquivo de configuração</source>
        <translation>Configuration file</translation>
    </message>
    <message>
        <source>Carregue suas configurações</source>
        <translation>Load your settings</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Não foi possível encontrar o arquivo especificado , por favor clique em &quot;Abrir Configurações&quot; e carregue suas configurações novamente.</source>
        <translation>The specified file could not be found. Please click &quot;Open&quot; and load your settings again.</translation>
    </message>
    <message>
        <source>Salvar alterações</source>
        <translation>Save changes</translation>
    </message>
    <message>
        <source>Deseja salvar alterações efetuadas ?</source>
        <translation>Do you want to save your changes?</translation>
    </message>
    <message>
        <source>Configurações alteradas</source>
        <translation>Settings changed</translation>
    </message>
    <message>
        <source>    As configurações da impressora foram alteradas, será necessário transmitir os parâmetros ao sistema do painel.
    Para isso desligue a impressora e a ligue com 2 botões pressionados.</source>
        <translation>    The printer settings were changed; the parameters must be passed on to the panel system.
    To do so, switch the printer off and on again with 2 buttons pressed.</translation>
    </message>
    <message>
        <source>Enviar todas configurações</source>
        <translation>Send all settings</translation>
    </message>
    <message>
        <source>Enviar configurações sem logotipo</source>
        <translation>Send settings without logo</translation>
    </message>
    <message>
        <source>e atendimentos à impressora, incluindo logotipo, e poderá demorar </source>
        <translation>and services to the printer, including the logo, and may take </translation>
    </message>
    <message>
        <source>e atendimentos à impressora, menos o logotipo, e poderá demorar </source>
        <translation>and services to the printer, except the logo, and may take </translation>
    </message>
    <message>
        <source>    Deseja enviar todas as configurações para impressora ?</source>
        <translation>    Do you want to send all settings to the printer?</translation>
    </message>
    <message>
        <source>    Este processo irá enviar todas as configurações de todos os botões </source>
        <translation>    This will send all settings of all buttons </translation>
    </message>
    <message>
        <source>alguns minutos.</source>
        <translation>a few minutes.</translation>
    </message>
    <message>
        <source>Recuperar alterações</source>
        <translation>Recover changes</translation>
    </message>
    <message>
        <source>Uma cópia de recuperação está danificada e não pode ser recuperada: %1.

Ela foi guardada na pasta %2.</source>
        <translation>A recovery copy is damaged and cannot be recovered: %1.

It has been kept in the folder %2.</translation>
    </message>
    <message>
        <source>O programa foi encerrado sem salvar as alterações de uma configuração ainda sem nome; uma cópia delas foi guardada em %1.</source>
        <translation>The program ended without saving the changes to a configuration that has no name yet; a copy of them was kept on %1.</translation>
    </message>
    <message>
        <source>O programa foi encerrado sem salvar as alterações do arquivo %1; uma cópia delas foi guardada em %2.</source>
        <translation>The program ended without saving the changes to the file %1; a copy of them was kept on %2.</translation>
    </message>
    <message>
        <source>Deseja recuperar essas alterações?

Sim: recuperar.
Não: descartar a cópia.
Cancelar: perguntar de novo na próxima vez que o programa for aberto.</source>
        <translation>Do you want to recover these changes?

Yes: recover them.
No: discard the copy.
Cancel: ask again the next time the program starts.</translation>
    </message>
    <message>
        <source>Cópia de recuperação</source>
        <translation>Recovery copy</translation>
    </message>
    <message>
        <source>Não foi possível guardar a cópia de recuperação das alterações: %1.

A edição continua normalmente, mas as alterações só ficam guardadas com &quot;Salvar&quot;.</source>
        <translation>The recovery copy of the changes could not be written: %1.

Editing goes on as usual, but the changes are only kept by &quot;Save&quot;.</translation>
    </message>
</context>
<context>
    <name>vx::ProgressDialog</name>
    <message>
        <source>Comunicação</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Comunicando com a  impressora</source>
        <translation>Communicating with the printer</translation>
    </message>
    <message>
        <source>Por favor aguarde ...</source>
        <translation>Please wait ...</translation>
    </message>
    <message>
        <source>Progresso da comunicação</source>
        <translation>Communication progress</translation>
    </message>
    <message>
        <source>*Se ao terminar a comunicação a impressora emitir um bip contínuo, envie novamente as configurações.</source>
        <translation>*If the printer beeps continuously when the communication ends, send the settings again.</translation>
    </message>
</context>
<context>
    <name>vx::SerialPortsDialog</name>
    <message>
        <source>Portas seriais</source>
        <translation>Serial ports</translation>
    </message>
    <message>
        <source> (ausente)</source>
        <translation> (absent)</translation>
    </message>
    <message>
        <source>Escolha o dispositivo de cada porta. A escolha vale para este usuário e é usada na próxima comunicação com a impressora.</source>
        <translation>Choose the device of each port. The choice applies to this user and is used at the next communication with the printer.</translation>
    </message>
    <message>
        <source>Caminho do dispositivo</source>
        <translation>Device path</translation>
    </message>
    <message>
        <source>Atualizar lista</source>
        <translation>Refresh list</translation>
    </message>
    <message>
        <source>Padrão: %1%2</source>
        <translation>Default: %1%2</translation>
    </message>
    <message>
        <source>Em uso: %1%2</source>
        <translation>In use: %1%2</translation>
    </message>
    <message>
        <source> — definido pela variável de ambiente VORLANDEX_COM%1, que prevalece sobre a escolha</source>
        <translation> — set by the environment variable VORLANDEX_COM%1, which prevails over the choice</translation>
    </message>
    <message>
        <source>COM%1: %2 não é um dispositivo serial. Escolha um dispositivo da lista ou digite o caminho completo de um dispositivo.</source>
        <translation>COM%1: %2 is not a serial device. Choose a device from the list or type the full path of a device.</translation>
    </message>
    <message>
        <source>Não foi possível gravar as escolhas em %1.</source>
        <translation>The choices could not be written to %1.</translation>
    </message>
</context>
</TS>
