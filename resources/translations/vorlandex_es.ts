<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="pt_BR">
<context>
    <name>ButtonFrame</name>
    <message>
        <source>Configurações do Botão</source>
        <translation>Configuración del botón</translation>
    </message>
    <message>
        <source>Botões da impressora</source>
        <translation>Botones de la impresora</translation>
    </message>
    <message>
        <source>Atendimento</source>
        <translation>Atención</translation>
    </message>
    <message>
        <source>Inativo</source>
        <translation>Inactivo</translation>
    </message>
    <message>
        <source>Imprimir letra:</source>
        <translation>Imprimir letra:</translation>
    </message>
    <message>
        <source>Imprimir</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Não imprimir</source>
        <translation>No imprimir</translation>
    </message>
    <message>
        <source>Inicia em :</source>
        <translation>Empieza en:</translation>
    </message>
    <message>
        <source>Termina em :</source>
        <translation>Termina en:</translation>
    </message>
    <message>
        <source>Enviar Todas Configurações de Botões e Atendimento</source>
        <translation>Enviar configuración de botones y atención</translation>
    </message>
    <message>
        <source>Escolhe o botão da impressora que a página mostra</source>
        <translation>Elige el botón de la impresora que muestra la página</translation>
    </message>
    <message>
        <source>Clique num botão (ou use as setas e Enter) para escolhê-lo</source>
        <translation>Haga clic en un botón (o use las flechas e Intro) para elegirlo</translation>
    </message>
    <message>
        <source>Letra da senha deste botão. A letra de um botão anterior segue a numeração dele; &quot;Inativo&quot; desliga o botão</source>
        <translation>Letra del turno de este botón. La letra de un botón anterior sigue la numeración de ese botón; &quot;Inactivo&quot; apaga el botón</translation>
    </message>
    <message>
        <source>Com &quot;Imprimir&quot;, a letra sai antes de um número de 2 dígitos (até 99); sem ela, número de 3 dígitos (até 999)</source>
        <translation>Con &quot;Imprimir&quot;, la letra va antes de un número de 2 dígitos (hasta 99); sin ella, un número de 3 dígitos (hasta 999)</translation>
    </message>
    <message>
        <source>Primeira senha deste botão</source>
        <translation>Primer número de turno de este botón</translation>
    </message>
    <message>
        <source>Última senha deste botão</source>
        <translation>Último número de turno de este botón</translation>
    </message>
    <message>
        <source>Envia à impressora a letra e a numeração dos 4 botões e as opções</source>
        <translation>Envía a la impresora la letra y la numeración de los 4 botones y las opciones</translation>
    </message>
</context>
<context>
    <name>ButtonNumbering</name>
    <message>
        <source>De: %1 a %2</source>
        <translation>De %1 a %2</translation>
    </message>
    <message>
        <source>Botão Inativo</source>
        <translation>Botón inactivo</translation>
    </message>
    <message>
        <source>Igual Botão %1</source>
        <translation>Igual que botón %1</translation>
    </message>
</context>
<context>
    <name>ButtonPage</name>
    <message>
        <source>Funcionamento do botão %1:</source>
        <translation>Funcionamiento del botón %1:</translation>
    </message>
    <message>
        <source>Senha Emitida Pelo Botão %1</source>
        <translation>Turno emitido por el botón %1</translation>
    </message>
</context>
<context>
    <name>ButtonPanel</name>
    <message>
        <source>Botão %1</source>
        <translation>Botón %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Configurações da impressora VORLANDEX: prepara os botões, os textos, o logotipo e o relógio da impressora de senhas e os envia pela porta serial.</source>
        <translation>Configuración de la impresora VORLANDEX: prepara los botones, los textos, el logotipo y el reloj de la impresora de turnos y los envía por el puerto serie.</translation>
    </message>
    <message>
        <source>Idioma da janela: pt (português), en (inglês) ou es (espanhol). Sem esta opção, o idioma do ambiente de trabalho.</source>
        <translation>Idioma de la ventana: pt (portugués), en (inglés) o es (español). Sin esta opción, el idioma del escritorio.</translation>
    </message>
    <message>
        <source>idioma</source>
        <translation>idioma</translation>
    </message>
    <message>
        <source>arquivo</source>
        <translation>archivo</translation>
    </message>
    <message>
        <source>Arquivo de configuração (.cfg) a abrir ao iniciar.</source>
        <translation>Archivo de configuración (.cfg) que se abre al iniciar.</translation>
    </message>
    <message>
        <source>[arquivo.cfg]</source>
        <translation>[archivo.cfg]</translation>
    </message>
    <message>
        <source>Idioma desconhecido: %1 (use pt, en ou es).</source>
        <translation>Idioma desconocido: %1 (use pt, en o es).</translation>
    </message>
    <message>
        <source>Apenas um arquivo de configuração pode ser aberto.</source>
        <translation>Solo se puede abrir un archivo de configuración.</translation>
    </message>
    <message>
        <source>Abre apenas o manual do programa, no índice, sem a janela de configuração.</source>
        <translation>Abre solo el manual del programa, en el índice, sin la ventana de configuración.</translation>
    </message>
</context>
<context>
    <name>CommandRow</name>
    <message>
        <source>Desfazer</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Refazer</source>
        <translation>Rehacer</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Enviar Todas as Configurações Para Impressora</source>
        <translation>Enviar toda la configuración</translation>
    </message>
    <message>
        <source>Enviar sem logo</source>
        <translation>Enviar sin logo</translation>
    </message>
    <message>
        <source>Abrir um arquivo de configuração</source>
        <translation>Abrir un archivo de configuración</translation>
    </message>
    <message>
        <source>Salvar as configurações num arquivo</source>
        <translation>Guardar la configuración en un archivo</translation>
    </message>
    <message>
        <source>Configurar Hora e Data</source>
        <translation>Ajustar fecha y hora</translation>
    </message>
    <message>
        <source>Porta Serial:</source>
        <translation>Puerto serie:</translation>
    </message>
    <message>
        <source>Portas seriais</source>
        <translation>Puertos serie</translation>
    </message>
    <message>
        <source>Emitir bip ao imprimir</source>
        <translation>Pitido al imprimir</translation>
    </message>
    <message>
        <source>Zerar todas senhas automaticamente ao fim do dia</source>
        <translation>Reiniciar todos los turnos al final del día</translation>
    </message>
    <message>
        <source>Imprime 2 vias</source>
        <translation>Imprimir 2 copias</translation>
    </message>
    <message>
        <source>Porta Serial</source>
        <translation>Puerto serie</translation>
    </message>
    <message>
        <source>Envia à impressora os botões, o relógio, os textos dos 4 botões e o logotipo (alguns minutos)</source>
        <translation>Envía a la impresora los botones, el reloj, los textos de los 4 botones y el logotipo (unos minutos)</translation>
    </message>
    <message>
        <source>Envia tudo, menos o logotipo</source>
        <translation>Envía todo menos el logotipo</translation>
    </message>
    <message>
        <source>Acerta o relógio da impressora pela data e hora deste computador</source>
        <translation>Pone el reloj de la impresora en la fecha y hora de este equipo</translation>
    </message>
    <message>
        <source>A impressora apita ao imprimir cada senha</source>
        <translation>La impresora pita al imprimir cada turno</translation>
    </message>
    <message>
        <source>Zera os contadores de senhas de todos os botões no fim do dia</source>
        <translation>Pone a cero los contadores de turnos de todos los botones al final del día</translation>
    </message>
    <message>
        <source>Cada senha sai em duas vias. Não fica gravado no arquivo de configuração</source>
        <translation>Cada turno se imprime dos veces. No se guarda en el archivo de configuración</translation>
    </message>
    <message>
        <source>Ajuda</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Manual do programa. F1 abre a parte do manual sobre o controle em uso.</source>
        <translation>El manual del programa. F1 abre la parte del manual sobre el control en uso.</translation>
    </message>
</context>
<context>
    <name>ConfigFiles</name>
    <message>
        <source>Não foi possível ler o arquivo %1: %2</source>
        <translation>No se pudo leer el archivo %1: %2</translation>
    </message>
    <message>
        <source>Não foi possível gravar o arquivo %1: %2</source>
        <translation>No se pudo guardar el archivo %1: %2</translation>
    </message>
    <message>
        <source>é uma pasta</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>não é um arquivo</source>
        <translation>no es un archivo</translation>
    </message>
    <message>
        <source>o arquivo de configuração e o arquivo do logotipo teriam o mesmo nome; escolha outro nome</source>
        <translation>el archivo de configuración y el del logotipo tendrían el mismo nombre; elija otro nombre</translation>
    </message>
    <message>
        <source>o limite é de %1 MB</source>
        <translation>el límite es de %1 MB</translation>
    </message>
    <message>
        <source>O arquivo é grande demais para ser um arquivo de configuração (%1)</source>
        <translation>El archivo es demasiado grande para ser un archivo de configuración (%1)</translation>
    </message>
    <message>
        <source>O arquivo %1 é grande demais para ser um arquivo de configuração (%2)</source>
        <translation>El archivo %1 es demasiado grande para ser un archivo de configuración (%2)</translation>
    </message>
</context>
<context>
    <name>EditPlace</name>
    <message>
        <source>letra do botão %1</source>
        <translation>letra del botón %1</translation>
    </message>
    <message>
        <source>&quot;Imprimir letra&quot; do botão %1</source>
        <translation>&quot;Imprimir letra&quot; del botón %1</translation>
    </message>
    <message>
        <source>início do botão %1</source>
        <translation>inicio del botón %1</translation>
    </message>
    <message>
        <source>término do botão %1</source>
        <translation>fin del botón %1</translation>
    </message>
    <message>
        <source>texto da linha %1 do botão %2</source>
        <translation>texto de la línea %1 del botón %2</translation>
    </message>
    <message>
        <source>&quot;Habilitar linha&quot; da linha %1 do botão %2</source>
        <translation>&quot;Habilitar línea&quot; de la línea %1 del botón %2</translation>
    </message>
    <message>
        <source>&quot;Expandido&quot; da linha %1 do botão %2</source>
        <translation>&quot;Expandido&quot; de la línea %1 del botón %2</translation>
    </message>
    <message>
        <source>porta serial</source>
        <translation>puerto serie</translation>
    </message>
    <message>
        <source>&quot;Emitir bip ao imprimir&quot;</source>
        <translation>&quot;Pitido al imprimir&quot;</translation>
    </message>
    <message>
        <source>zerar as senhas ao fim do dia</source>
        <translation>reiniciar los turnos al final del día</translation>
    </message>
    <message>
        <source>&quot;Imprime 2 vias&quot;</source>
        <translation>&quot;Imprimir 2 copias&quot;</translation>
    </message>
    <message>
        <source>corte do papel</source>
        <translation>corte del papel</translation>
    </message>
    <message>
        <source>imagem do logotipo</source>
        <translation>imagen del logotipo</translation>
    </message>
    <message>
        <source>largura do logotipo</source>
        <translation>ancho del logotipo</translation>
    </message>
    <message>
        <source>altura do logotipo</source>
        <translation>altura del logotipo</translation>
    </message>
    <message>
        <source>contraste do logotipo</source>
        <translation>contraste del logotipo</translation>
    </message>
    <message>
        <source>contraste sugerido</source>
        <translation>contraste sugerido</translation>
    </message>
    <message>
        <source>&quot;Atualizar imagem&quot;</source>
        <translation>&quot;Actualizar imagen&quot;</translation>
    </message>
    <message>
        <source>&quot;Imprimir Logotipo&quot;</source>
        <translation>&quot;Imprimir logotipo&quot;</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Error opening com port</source>
        <translation>Error al abrir el puerto serie</translation>
    </message>
    <message>
        <source>File handle is not a comm handle. </source>
        <translation>El archivo no es un puerto serie. </translation>
    </message>
    <message>
        <source>Already have a comm file open</source>
        <translation>Ya hay un puerto abierto</translation>
    </message>
    <message>
        <source>Unable to create Read thread</source>
        <translation>No se pudo crear el hilo de lectura</translation>
    </message>
    <message>
        <source>Unable to create Write thread</source>
        <translation>No se pudo crear el hilo de escritura</translation>
    </message>
    <message>
        <source>Bitmap image is not valid</source>
        <translation>La imagen de mapa de bits no es válida</translation>
    </message>
</context>
<context>
    <name>Handbook</name>
    <message>
        <source>pt</source>
        <comment>the handbook folder of this language: its two-letter code</comment>
        <translation>es</translation>
    </message>
</context>
<context>
    <name>JobTexts</name>
    <message>
        <source>as configurações dos botões e atendimentos</source>
        <translation>la configuración de los botones y servicios</translation>
    </message>
    <message>
        <source>das configurações dos botões e atendimentos</source>
        <translation>de la configuración de los botones y servicios</translation>
    </message>
    <message>
        <source>a hora e a data</source>
        <translation>la hora y la fecha</translation>
    </message>
    <message>
        <source>da hora e da data</source>
        <translation>de la hora y la fecha</translation>
    </message>
    <message>
        <source>o texto do botão %1</source>
        <translation>el texto del botón %1</translation>
    </message>
    <message>
        <source>do texto do botão %1</source>
        <translation>del texto del botón %1</translation>
    </message>
    <message>
        <source>o logotipo</source>
        <translation>el logotipo</translation>
    </message>
    <message>
        <source>do logotipo</source>
        <translation>del logotipo</translation>
    </message>
    <message>
        <source>Tempo restante: %1 s</source>
        <translation>Tiempo restante: %1 s</translation>
    </message>
    <message>
        <source>Tempo restante: %1 min %2 s</source>
        <translation>Tiempo restante: %1 min %2 s</translation>
    </message>
    <message>
        <source>A conexão com a impressora foi perdida durante o envio</source>
        <translation>Se perdió la conexión con la impresora durante el envío</translation>
    </message>
    <message>
        <source> e </source>
        <translation> y </translation>
    </message>
    <message>
        <source>
Faltou enviar: </source>
        <translation>
Quedó sin enviar: </translation>
    </message>
    <message>
        <source>
Verifique o cabo da impressora e envie novamente.</source>
        <translation>
Compruebe el cable de la impresora y envíe de nuevo.</translation>
    </message>
</context>
<context>
    <name>LogoFrame</name>
    <message>
        <source>Preto: %1 %</source>
        <translation>Negro: %1 %</translation>
    </message>
    <message>
        <source>Configuração de Logotipo (Todos Botões)</source>
        <translation>Logotipo (todos los botones)</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Logotipo</source>
        <translation>Logotipo</translation>
    </message>
    <message>
        <source>Abrir imagem</source>
        <translation>Abrir imagen</translation>
    </message>
    <message>
        <source>Atualizar imagem</source>
        <translation>Actualizar imagen</translation>
    </message>
    <message>
        <source>Contraste:</source>
        <translation>Contraste:</translation>
    </message>
    <message>
        <source>Altura do logotipo</source>
        <translation>Altura del logotipo</translation>
    </message>
    <message>
        <source>Contraste</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Parte da área do logotipo que a impressora imprime em preto</source>
        <translation>Parte del área del logotipo que la impresora imprime en negro</translation>
    </message>
    <message>
        <source>Imprimir Logotipo</source>
        <translation>Imprimir logotipo</translation>
    </message>
    <message>
        <source>Sugerir</source>
        <translation>Sugerir</translation>
    </message>
    <message>
        <source>Sugere o contraste pelo histograma da imagem</source>
        <translation>Sugiere el contraste según el histograma de la imagen</translation>
    </message>
    <message>
        <source>Enviar Todas Configurações de Logotipo</source>
        <translation>Enviar configuración del logotipo</translation>
    </message>
    <message>
        <source>Largura do logotipo em pontos da impressora (20 a 400)</source>
        <translation>Ancho del logotipo en puntos de la impresora (20 a 400)</translation>
    </message>
    <message>
        <source>Altura do logotipo em pontos da impressora (10 a 200)</source>
        <translation>Alto del logotipo en puntos de la impresora (10 a 200)</translation>
    </message>
    <message>
        <source>Limite entre preto e branco. Vale no próximo &quot;Atualizar imagem&quot;</source>
        <translation>Umbral entre negro y blanco. Vale desde el próximo &quot;Actualizar imagen&quot;</translation>
    </message>
    <message>
        <source>Abre um arquivo de imagem para o logotipo</source>
        <translation>Abre un archivo de imagen para el logotipo</translation>
    </message>
    <message>
        <source>Converte a imagem em preto e branco com o contraste escolhido; a pré-visualização mostra o resultado</source>
        <translation>Convierte la imagen en blanco y negro con el contraste elegido; la vista previa muestra el resultado</translation>
    </message>
    <message>
        <source>Imprime o logotipo no alto da senha</source>
        <translation>Imprime el logotipo en la parte superior del turno</translation>
    </message>
    <message>
        <source>Envia o logotipo à impressora</source>
        <translation>Envía el logotipo a la impresora</translation>
    </message>
</context>
<context>
    <name>OpenFailure</name>
    <message>
        <source>Dispositivo: %1</source>
        <translation>Dispositivo: %1</translation>
    </message>
    <message>
        <source>O caminho não é um dispositivo serial.</source>
        <translation>La ruta no es un dispositivo serie.</translation>
    </message>
    <message>
        <source>O dispositivo não existe. Verifique o cabo e o adaptador.</source>
        <translation>El dispositivo no existe. Compruebe el cable y el adaptador.</translation>
    </message>
    <message>
        <source>dono do dispositivo</source>
        <translation>propietario del dispositivo</translation>
    </message>
    <message>
        <source>&quot;%1&quot;, dono do dispositivo,</source>
        <translation>&quot;%1&quot;, propietario del dispositivo,</translation>
    </message>
    <message>
        <source>Permissão negada. O usuário precisa pertencer ao grupo %1 e entrar novamente na sessão.</source>
        <translation>Permiso denegado. El usuario debe pertenecer al grupo %1 y volver a iniciar la sesión.</translation>
    </message>
    <message>
        <source>O dispositivo está em uso por outro programa.</source>
        <translation>Otro programa está usando el dispositivo.</translation>
    </message>
    <message>
        <source>Falha ao abrir o dispositivo: %1.</source>
        <translation>No se pudo abrir el dispositivo: %1.</translation>
    </message>
</context>
<context>
    <name>PictureReader</name>
    <message>
        <source>O arquivo %1 não é uma imagem que o programa saiba abrir (formatos aceitos: %2).</source>
        <translation>El archivo %1 no es una imagen que el programa sepa abrir (formatos aceptados: %2).</translation>
    </message>
    <message>
        <source>A imagem %1 está danificada ou incompleta e não pode ser aberta.</source>
        <translation>La imagen %1 está dañada o incompleta y no se puede abrir.</translation>
    </message>
    <message>
        <source>A imagem %1 não tem tamanho (largura ou altura zero).</source>
        <translation>La imagen %1 no tiene tamaño (ancho o alto cero).</translation>
    </message>
    <message>
        <source>A imagem %1 é grande demais (%2 × %3 pontos); o limite é de %4 pontos por lado e %5 pontos ao todo.</source>
        <translation>La imagen %1 es demasiado grande (%2 × %3 puntos); el límite es de %4 puntos por lado y %5 puntos en total.</translation>
    </message>
    <message>
        <source>O arquivo %1 é grande demais para uma imagem (mais de %2 MiB).</source>
        <translation>El archivo %1 es demasiado grande para una imagen (más de %2 MiB).</translation>
    </message>
    <message>
        <source>O desenho SVG %1 faz referência a algo fora do arquivo (%2), que o programa não busca. Incorpore as imagens e os estilos no próprio desenho e tente de novo.</source>
        <translation>El dibujo SVG %1 hace referencia a algo fuera del archivo (%2), que el programa no busca. Incorpore las imágenes y los estilos en el propio dibujo e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>O desenho SVG %1 contém scripts (%2), que o programa não executa. Remova-os do desenho e tente de novo.</source>
        <translation>El dibujo SVG %1 contiene scripts (%2), que el programa no ejecuta. Quítelos del dibujo e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>O desenho SVG %1 não tem tamanho (largura, altura ou viewBox zero ou inválidos).</source>
        <translation>El dibujo SVG %1 no tiene tamaño (ancho, alto o viewBox cero o no válidos).</translation>
    </message>
    <message>
        <source>O desenho SVG %1 está danificado ou não é um SVG válido.</source>
        <translation>El dibujo SVG %1 está dañado o no es un SVG válido.</translation>
    </message>
    <message>
        <source>Imagens (%1)|%2|Bitmaps (*.bmp)|*.bmp</source>
        <translation>Imágenes (%1)|%2|Mapas de bits (*.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>O arquivo %1 está vazio.</source>
        <translation>El archivo %1 está vacío.</translation>
    </message>
    <message>
        <source>%1 é uma pasta, não um arquivo de imagem.</source>
        <translation>%1 es una carpeta, no un archivo de imagen.</translation>
    </message>
    <message>
        <source>O arquivo %1 é um desenho SVG, que esta versão do programa não abre. Salve-o como PNG ou BMP e abra esse arquivo.</source>
        <translation>El archivo %1 es un dibujo SVG, que esta versión del programa no abre. Guárdelo como PNG o BMP y abra ese archivo.</translation>
    </message>
</context>
<context>
    <name>PreviewFrame</name>
    <message>
        <source>Pré-visualização da Senha</source>
        <translation>Vista previa del turno</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>a pasta não pode ser criada ou não aceita gravação</source>
        <translation>la carpeta no se puede crear o no admite escritura</translation>
    </message>
    <message>
        <source>a nota %1 da cópia está danificada</source>
        <translation>la nota %1 de la copia está dañada</translation>
    </message>
</context>
<context>
    <name>TextFrame</name>
    <message>
        <source>Configurações de Texto</source>
        <translation>Configuración de texto</translation>
    </message>
    <message>
        <source>Informações do Cabeçalho</source>
        <translation>Líneas de encabezado</translation>
    </message>
    <message>
        <source>Informações do Rodapé</source>
        <translation>Líneas de pie</translation>
    </message>
    <message>
        <source>Corte do papel</source>
        <translation>Corte del papel</translation>
    </message>
    <message>
        <source>Corte Parcial</source>
        <translation>Corte parcial</translation>
    </message>
    <message>
        <source>Corte Total</source>
        <translation>Corte total</translation>
    </message>
    <message>
        <source>Enviar Configurações de Texto do Botão</source>
        <translation>Enviar textos del botón</translation>
    </message>
    <message>
        <source>Habilitar linha</source>
        <translation>Habilitar línea</translation>
    </message>
    <message>
        <source>Linha %1 (Cabeçalho)</source>
        <translation>Línea %1 (encabezado)</translation>
    </message>
    <message>
        <source>Linha %1 (Rodapé)</source>
        <translation>Línea %1 (pie)</translation>
    </message>
    <message>
        <source>Habilitar linha %1</source>
        <translation>Habilitar línea %1</translation>
    </message>
    <message>
        <source>Expandido (linha %1)</source>
        <translation>Expandido (línea %1)</translation>
    </message>
    <message>
        <source>Expandido</source>
        <translation>Expandido</translation>
    </message>
    <message>
        <source>A impressora corta o papel em parte depois de cada senha</source>
        <translation>La impresora corta el papel en parte después de cada turno</translation>
    </message>
    <message>
        <source>A impressora corta o papel por inteiro depois de cada senha</source>
        <translation>La impresora corta el papel del todo después de cada turno</translation>
    </message>
    <message>
        <source>Envia à impressora as 8 linhas do botão mostrado e o corte do papel</source>
        <translation>Envía a la impresora las 8 líneas del botón mostrado y el corte del papel</translation>
    </message>
    <message>
        <source>Texto da linha: até 40 caracteres, 20 se &quot;Expandido&quot;</source>
        <translation>Texto de la línea: hasta 40 caracteres, 20 si &quot;Expandido&quot;</translation>
    </message>
    <message>
        <source>A linha é impressa</source>
        <translation>La línea se imprime</translation>
    </message>
    <message>
        <source>Letras em largura dupla: até 20 caracteres</source>
        <translation>Letras de doble ancho: hasta 20 caracteres</translation>
    </message>
</context>
<context>
    <name>vx::HelpWindow</name>
    <message>
        <source>Voltar</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Avançar</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>Conteúdo</source>
        <translation>Contenido</translation>
    </message>
    <message>
        <source>Localizar</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Anterior</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Próximo</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Localizar nesta página</source>
        <translation>Buscar en esta página</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
</context>
<context>
    <name>vx::LineEdit</name>
    <message>
        <source>Caractere não suportado pela impressora: %1</source>
        <translation>Carácter que la impresora no admite: %1</translation>
    </message>
    <message>
        <source>Caracteres não suportados pela impressora: %1</source>
        <translation>Caracteres que la impresora no admite: %1</translation>
    </message>
</context>
<context>
    <name>vx::LogoDropTarget</name>
    <message>
        <source>O que foi solto não é um arquivo. Solte um arquivo de imagem sobre o logotipo.</source>
        <translation>Lo que se soltó no es un archivo. Suelte un archivo de imagen sobre el logotipo.</translation>
    </message>
    <message>
        <source>Foram soltos %1 itens. Solte um único arquivo de imagem sobre o logotipo.</source>
        <translation>Se soltaron %1 elementos. Suelte un solo archivo de imagen sobre el logotipo.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; não é um arquivo deste computador. Salve a imagem num arquivo e solte o arquivo sobre o logotipo.</source>
        <translation>&quot;%1&quot; no es un archivo de este equipo. Guarde la imagen en un archivo y suelte el archivo sobre el logotipo.</translation>
    </message>
</context>
<context>
    <name>vx::MainWindow</name>
    <message>
        <source>Desfazer: %1</source>
        <translation>Deshacer: %1</translation>
    </message>
    <message>
        <source>Refazer: %1</source>
        <translation>Rehacer: %1</translation>
    </message>
    <message>
        <source>Nada a desfazer</source>
        <translation>Nada que deshacer</translation>
    </message>
    <message>
        <source>Nada a refazer</source>
        <translation>Nada que rehacer</translation>
    </message>
    <message>
        <source>Configurações da impressora VORLANDEX</source>
        <translation>Configuración de la impresora VORLANDEX</translation>
    </message>
    <message>
        <source>Abrir imagem</source>
        <translation>Abrir imagen</translation>
    </message>
    <message>
        <source>    Botão %1    </source>
        <translation>    Botón %1    </translation>
    </message>
    <message>
        <source>Valor inválido</source>
        <translation>Valor no válido</translation>
    </message>
    <message>
        <source>   O número de início deve ser menor que o de término.</source>
        <translation>   El número inicial debe ser menor que el final.</translation>
    </message>
    <message>
        <source>Arquivo de configuração</source>
        <translation>Archivo de configuración</translation>
    </message>
    <message>
        <source>Carregue suas configurações</source>
        <translation>Cargue su configuración</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Não foi possível encontrar o arquivo especificado , por favor clique em &quot;Abrir Configurações&quot; e carregue suas configurações novamente.</source>
        <translation>No se encontró el archivo indicado. Haga clic en &quot;Abrir&quot; y cargue su configuración de nuevo.</translation>
    </message>
    <message>
        <source>Salvar alterações</source>
        <translation>Guardar cambios</translation>
    </message>
    <message>
        <source>Deseja salvar alterações efetuadas ?</source>
        <translation>¿Desea guardar los cambios?</translation>
    </message>
    <message>
        <source>Configurações alteradas</source>
        <translation>Configuración modificada</translation>
    </message>
    <message>
        <source>    As configurações da impressora foram alteradas, será necessário transmitir os parâmetros ao sistema do painel.
    Para isso desligue a impressora e a ligue com 2 botões pressionados.</source>
        <translation>    La configuración de la impresora fue modificada; hay que transmitir los parámetros al sistema del panel.
    Para ello apague la impresora y enciéndala con 2 botones pulsados.</translation>
    </message>
    <message>
        <source>Enviar todas configurações</source>
        <translation>Enviar toda la configuración</translation>
    </message>
    <message>
        <source>Enviar configurações sem logotipo</source>
        <translation>Enviar configuración sin logotipo</translation>
    </message>
    <message>
        <source>e atendimentos à impressora, incluindo logotipo, e poderá demorar </source>
        <translation>y servicios a la impresora, incluido el logotipo, y puede tardar </translation>
    </message>
    <message>
        <source>e atendimentos à impressora, menos o logotipo, e poderá demorar </source>
        <translation>y servicios a la impresora, salvo el logotipo, y puede tardar </translation>
    </message>
    <message>
        <source>    Deseja enviar todas as configurações para impressora ?</source>
        <translation>    ¿Desea enviar toda la configuración a la impresora?</translation>
    </message>
    <message>
        <source>    Este processo irá enviar todas as configurações de todos os botões </source>
        <translation>    Este proceso enviará toda la configuración de todos los botones </translation>
    </message>
    <message>
        <source>alguns minutos.</source>
        <translation>algunos minutos.</translation>
    </message>
    <message>
        <source>Recuperar alterações</source>
        <translation>Recuperar cambios</translation>
    </message>
    <message>
        <source>Uma cópia de recuperação está danificada e não pode ser recuperada: %1.

Ela foi guardada na pasta %2.</source>
        <translation>Una copia de recuperación está dañada y no se puede recuperar: %1.

Se ha guardado en la carpeta %2.</translation>
    </message>
    <message>
        <source>O programa foi encerrado sem salvar as alterações de uma configuração ainda sem nome; uma cópia delas foi guardada em %1.</source>
        <translation>El programa se cerró sin guardar los cambios de una configuración todavía sin nombre; se guardó una copia de ellos el %1.</translation>
    </message>
    <message>
        <source>O programa foi encerrado sem salvar as alterações do arquivo %1; uma cópia delas foi guardada em %2.</source>
        <translation>El programa se cerró sin guardar los cambios del archivo %1; se guardó una copia de ellos el %2.</translation>
    </message>
    <message>
        <source>Deseja recuperar essas alterações?

Sim: recuperar.
Não: descartar a cópia.
Cancelar: perguntar de novo na próxima vez que o programa for aberto.</source>
        <translation>¿Desea recuperar estos cambios?

Sí: recuperarlos.
No: descartar la copia.
Cancelar: preguntar de nuevo la próxima vez que se abra el programa.</translation>
    </message>
    <message>
        <source>Cópia de recuperação</source>
        <translation>Copia de recuperación</translation>
    </message>
    <message>
        <source>Não foi possível guardar a cópia de recuperação das alterações: %1.

A edição continua normalmente, mas as alterações só ficam guardadas com &quot;Salvar&quot;.</source>
        <translation>No se pudo escribir la copia de recuperación de los cambios: %1.

La edición continúa con normalidad, pero los cambios solo se conservan con &quot;Guardar&quot;.</translation>
    </message>
</context>
<context>
    <name>vx::ProgressDialog</name>
    <message>
        <source>Comunicação</source>
        <translation>Comunicación</translation>
    </message>
    <message>
        <source>Comunicando com a  impressora</source>
        <translation>Comunicando con la impresora</translation>
    </message>
    <message>
        <source>Por favor aguarde ...</source>
        <translation>Por favor, espere ...</translation>
    </message>
    <message>
        <source>Progresso da comunicação</source>
        <translation>Progreso de la comunicación</translation>
    </message>
    <message>
        <source>*Se ao terminar a comunicação a impressora emitir um bip contínuo, envie novamente as configurações.</source>
        <translation>*Si al terminar la comunicación la impresora emite un pitido continuo, envíe de nuevo la configuración.</translation>
    </message>
</context>
<context>
    <name>vx::SerialPortsDialog</name>
    <message>
        <source>Portas seriais</source>
        <translation>Puertos serie</translation>
    </message>
    <message>
        <source> (ausente)</source>
        <translation> (ausente)</translation>
    </message>
    <message>
        <source>Escolha o dispositivo de cada porta. A escolha vale para este usuário e é usada na próxima comunicação com a impressora.</source>
        <translation>Elija el dispositivo de cada puerto. La elección vale para este usuario y se usa en la próxima comunicación con la impresora.</translation>
    </message>
    <message>
        <source>Caminho do dispositivo</source>
        <translation>Ruta del dispositivo</translation>
    </message>
    <message>
        <source>Atualizar lista</source>
        <translation>Actualizar lista</translation>
    </message>
    <message>
        <source>Padrão: %1%2</source>
        <translation>Predeterminado: %1%2</translation>
    </message>
    <message>
        <source>Em uso: %1%2</source>
        <translation>En uso: %1%2</translation>
    </message>
    <message>
        <source> — definido pela variável de ambiente VORLANDEX_COM%1, que prevalece sobre a escolha</source>
        <translation> — definido por la variable de entorno VORLANDEX_COM%1, que prevalece sobre la elección</translation>
    </message>
    <message>
        <source>COM%1: %2 não é um dispositivo serial. Escolha um dispositivo da lista ou digite o caminho completo de um dispositivo.</source>
        <translation>COM%1: %2 no es un dispositivo serie. Elija un dispositivo de la lista o escriba la ruta completa de un dispositivo.</translation>
    </message>
    <message>
        <source>Não foi possível gravar as escolhas em %1.</source>
        <translation>No se pudieron guardar las elecciones en %1.</translation>
    </message>
</context>
</TS>
