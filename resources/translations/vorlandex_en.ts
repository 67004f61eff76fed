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
        <translation>Don't print</translation>
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
        <translation>Window language: pt (Portuguese), en (English) or es (Spanish). Without this option, the desktop's language.</translation>
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
</context>
<context>
    <name>CommandRow</name>
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
        <translation>Suggests the contrast from the picture's histogram</translation>
    </message>
    <message>
        <source>Enviar Todas Configurações de Logotipo</source>
        <translation>Send All Logo Settings</translation>
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
        <source>COM%1: &quot;%2&quot; não é um dispositivo serial. Escolha um dispositivo da lista ou digite o caminho completo de um dispositivo.</source>
        <translation>COM%1: &quot;%2&quot; is not a serial device. Choose a device from the list or type the full path of a device.</translation>
    </message>
    <message>
        <source>Não foi possível gravar as escolhas em %1.</source>
        <translation>The choices could not be written to %1.</translation>
    </message>
</context>
<context>
    <name>vx::TForm1</name>
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
</context>
<context>
    <name>vx::TForm2</name>
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
</TS>
