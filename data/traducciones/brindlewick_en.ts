<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>Dados</name>
    <message>
        <source>Uso: brindlewick [OPCIÓN] [ARCHIVO…]
Renombra muchos archivos de una carpeta de una vez, y deshace los cambios.

Con archivos (rutas o URI file://), la ventana se abre con ellos elegidos, como si se
hubieran elegido en «Seleccionar»; deben estar todos en la misma carpeta. Con una
carpeta, se abre «Seleccionar archivos» en ella.

  -h, --help     muestra esta ayuda y termina
  -v, --version  muestra la versión y termina
  --             lo que sigue son archivos, aunque empiece por «-»
</source>
        <translation>Usage: brindlewick [OPTION] [FILE…]
Renames many files of one folder at once, and undoes the changes.

With files (paths or file:// URIs), the window opens with them selected, as if they
had been chosen with “Select”; they must all be in the same folder. With a folder,
“Select files” opens in it.

  -h, --help     shows this help and exits
  -v, --version  shows the version and exits
  --             what follows are files, even if they begin with “-”
</translation>
    </message>
    <message>
        <source>brindlewick: opción desconocida: </source>
        <translation>brindlewick: unknown option: </translation>
    </message>
    <message>
        <source>
Pruebe «brindlewick --help».
</source>
        <translation>
Try “brindlewick --help”.
</translation>
    </message>
    <message>
        <source>: no es un archivo de este equipo</source>
        <translation>: not a file on this computer</translation>
    </message>
    <message>
        <source>: no existe</source>
        <translation>: does not exist</translation>
    </message>
    <message>
        <source>: es una carpeta</source>
        <translation>: is a folder</translation>
    </message>
    <message>
        <source>No se han podido elegir:</source>
        <translation>These could not be selected:</translation>
    </message>
    <message>
        <source>… y %1 más</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>Los archivos están en %1 carpetas distintas, y cada vez se renombran los archivos de una sola carpeta.
No se ha elegido ninguno: elija archivos de una sola carpeta.</source>
        <translation>The files are in %1 different folders, and each run renames the files of one folder.
None has been selected: select files of one folder.</translation>
    </message>
</context>
<context>
    <name>DialogoDeCambios</name>
    <message>
        <source>Nombre actual</source>
        <translation>Current name</translation>
    </message>
    <message>
        <source>Nombre nuevo</source>
        <translation>New name</translation>
    </message>
    <message>
        <source>Resultado</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Cerrar</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Historial</name>
    <message>
        <source>Log cargado: %1</source>
        <translation>Loaded log: %1</translation>
    </message>
    <message>
        <source>Deshacer: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>En curso</source>
        <translation>In progress</translation>
    </message>
    <message>
        <source>Deshecho</source>
        <translation>Undone</translation>
    </message>
    <message>
        <source>Interrumpido</source>
        <translation>Interrupted</translation>
    </message>
    <message>
        <source>Deshecho en parte</source>
        <translation>Partly undone</translation>
    </message>
    <message>
        <source>Rehecho</source>
        <translation>Redone</translation>
    </message>
</context>
<context>
    <name>Operaciones</name>
    <message>
        <source>Extensión no válida</source>
        <translation>Invalid extension</translation>
    </message>
    <message>
        <source>Cadena no válida</source>
        <translation>Invalid text</translation>
    </message>
    <message>
        <source>Número no válido</source>
        <translation>Invalid number</translation>
    </message>
    <message>
        <source>Posición no válida</source>
        <translation>Invalid position</translation>
    </message>
    <message>
        <source>Añadir: %1 al final</source>
        <translation>Add: %1 at the end</translation>
    </message>
    <message>
        <source>Añadir: %1 al principio</source>
        <translation>Add: %1 at the beginning</translation>
    </message>
    <message>
        <source>Añadir: %1 en la posición %2</source>
        <translation>Add: %1 at position %2</translation>
    </message>
    <message>
        <source>Cambiar extensiones a:</source>
        <translation>Change extensions to:</translation>
    </message>
    <message>
        <source>Cambiar extensiones a: %1</source>
        <translation>Change extensions to: %1</translation>
    </message>
    <message>
        <source>Cambiar</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Cambiar %1 por %2</source>
        <translation>Replace %1 with %2</translation>
    </message>
    <message>
        <source>Añadir:</source>
        <translation>Add:</translation>
    </message>
    <message>
        <source>Generar:</source>
        <translation>Generate:</translation>
    </message>
    <message>
        <source>Generar: %1 desde %2</source>
        <translation>Generate: %1 from %2</translation>
    </message>
    <message>
        <source>Todo el nombre en minúsculas</source>
        <translation>The whole name in lower case</translation>
    </message>
    <message>
        <source>Todo el nombre en mayúsculas</source>
        <translation>The whole name in upper case</translation>
    </message>
</context>
<context>
    <name>Proceso</name>
    <message>
        <source>Ya hay un proceso en curso. Espere a que termine.</source>
        <translation>A run is already under way. Wait until it ends.</translation>
    </message>
    <message>
        <source>No se pudo crear el registro:</source>
        <translation>Could not create the log:</translation>
    </message>
    <message>
        <source>No se pudo escribir el registro. El proceso se detuvo.</source>
        <translation>Could not write the log. The operation stopped.</translation>
    </message>
    <message>
        <source>No se pudo abrir la carpeta:</source>
        <translation>Could not open the folder:</translation>
    </message>
    <message>
        <source>No se pudo abrir el log:</source>
        <translation>Could not open the log:</translation>
    </message>
    <message>
        <source>Otra ventana está deshaciendo una ejecución. Inténtelo cuando termine.</source>
        <translation>Another window is undoing a run. Try again when it ends.</translation>
    </message>
    <message>
        <source>No es un registro del historial.</source>
        <translation>It is not a log of the history.</translation>
    </message>
    <message>
        <source>No existe.</source>
        <translation>It does not exist.</translation>
    </message>
    <message>
        <source>Esta ejecución sigue en curso en otra ventana.</source>
        <translation>This run is still under way in another window.</translation>
    </message>
    <message>
        <source>Esta ejecución ya está deshecha.</source>
        <translation>This run is already undone.</translation>
    </message>
</context>
<context>
    <name>Resultados</name>
    <message>
        <source>Operación no permitida</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>Sin cambios</source>
        <translation>Unchanged</translation>
    </message>
    <message>
        <source>Correcto</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>El nombre ya existe</source>
        <translation>The name already exists</translation>
    </message>
    <message>
        <source>Lo toma un cambio anterior</source>
        <translation>Taken by an earlier change</translation>
    </message>
    <message>
        <source>Lo tiene un archivo que se renombra después</source>
        <translation>Held by a file renamed later</translation>
    </message>
    <message>
        <source>Nombre de archivo no válido</source>
        <translation>Invalid file name</translation>
    </message>
    <message>
        <source>El archivo no existe</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>Permiso denegado</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>El disco es de solo lectura</source>
        <translation>The disk is read-only</translation>
    </message>
    <message>
        <source>Omitido (fallo registrado)</source>
        <translation>Skipped (recorded failure)</translation>
    </message>
    <message>
        <source>Omitido (línea no válida)</source>
        <translation>Skipped (invalid line)</translation>
    </message>
</context>
<context>
    <name>cComDlg</name>
    <message>
        <source>La carpeta no existe:
%1</source>
        <translation>The folder does not exist:
%1</translation>
    </message>
    <message>
        <source>%1 ya existe.
¿Desea reemplazarlo?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>frmAcerca</name>
    <message>
        <source>La comunidad de Qt</source>
        <translation>The Qt community</translation>
    </message>
    <message>
        <source>Quienes lo probaron</source>
        <translation>Those who tried it</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Utilidad para renombrar gran cantidad de archivos fácilmente.</source>
        <translation>A utility to rename large numbers of files easily.</translation>
    </message>
    <message>
        <source>Icono de Brindlewick</source>
        <translation>Brindlewick icon</translation>
    </message>
    <message>
        <source>Escribir a los autores</source>
        <translation>Write to the authors</translation>
    </message>
    <message>
        <source>Abrir la página web</source>
        <translation>Open the web page</translation>
    </message>
    <message>
        <source>Acerca de %1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>Versión %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Agradecimientos:<byte value="xd"/>
  · %1 (%2)<byte value="xd"/>
  · %3</source>
        <translation>Thanks to:<byte value="xd"/>
  · %1 (%2)<byte value="xd"/>
  · %3</translation>
    </message>
    <message>
        <source>Acerca de %1 %2</source>
        <translation>About %1 %2</translation>
    </message>
</context>
<context>
    <name>frmAyuda</name>
    <message>
        <source>Manual de Brindlewick</source>
        <translation>Brindlewick manual</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
</context>
<context>
    <name>frmBrindlewick</name>
    <message>
        <source>Seleccionar</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Ficheros</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Renombrar</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Proceso</source>
        <translation>Process</translation>
    </message>
    <message>
        <source>Nueva extensión</source>
        <translation>New extension</translation>
    </message>
    <message>
        <source>Texto a buscar</source>
        <translation>Text to find</translation>
    </message>
    <message>
        <source>por</source>
        <translation>with</translation>
    </message>
    <message>
        <source>Texto nuevo</source>
        <translation>New text</translation>
    </message>
    <message>
        <source>Texto a añadir</source>
        <translation>Text to add</translation>
    </message>
    <message>
        <source>Al principio</source>
        <translation>At the beginning</translation>
    </message>
    <message>
        <source>Al final</source>
        <translation>At the end</translation>
    </message>
    <message>
        <source>En la posicion:</source>
        <translation>At position:</translation>
    </message>
    <message>
        <source>Posición</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Patrón</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>desde</source>
        <translation>from</translation>
    </message>
    <message>
        <source>Número inicial</source>
        <translation>Start number</translation>
    </message>
    <message>
        <source>Marco de progreso</source>
        <translation>Progress frame</translation>
    </message>
    <message>
        <source>Progreso</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Archivo en curso</source>
        <translation>File in hand</translation>
    </message>
    <message>
        <source>&amp;Opciones</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Vista previa</source>
        <translation>&amp;Preview</translation>
    </message>
    <message>
        <source>&amp;Deshacer</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Guardar Log</source>
        <translation>Save Log</translation>
    </message>
    <message>
        <source>Cargar Log</source>
        <translation>Load Log</translation>
    </message>
    <message>
        <source>&amp;Historial…</source>
        <translation>&amp;History…</translation>
    </message>
    <message>
        <source>&amp;Cerrar</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Ayuda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Manual</translation>
    </message>
    <message>
        <source>&amp;Acerca de</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source> %1 archivos no se pudieron renombrar.
¿Desea ver el resultado?</source>
        <translation> %1 files could not be renamed.
Do you want to see the result?</translation>
    </message>
    <message>
        <source>Aviso</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Listo</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>No se pudo abrir el log:</source>
        <translation>Could not open the log:</translation>
    </message>
    <message>
        <source>No se pudo guardar el log:</source>
        <translation>Could not save the log:</translation>
    </message>
    <message>
        <source>Cargar log</source>
        <translation>Load log</translation>
    </message>
</context>
<context>
    <name>frmHistorial</name>
    <message>
        <source>dd/MM/yyyy HH:mm:ss</source>
        <extracomment>The date and time of a run, as QDateTime&apos;s format reads it.</extracomment>
        <translation>yyyy-MM-dd HH:mm:ss</translation>
    </message>
    <message>
        <source>Fecha</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Carpeta</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Operación</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>Renombrados</source>
        <translation>Renamed</translation>
    </message>
    <message>
        <source>Fallos</source>
        <translation>Failures</translation>
    </message>
    <message>
        <source>Estado</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Deshacer</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Guardar como…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>Cerrar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Historial</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Ejecuciones</source>
        <translation>Runs</translation>
    </message>
</context>
<context>
    <name>frmResultado</name>
    <message>
        <source>Resultado</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Archivos de la ejecución</source>
        <translation>Files of the run</translation>
    </message>
    <message>
        <source>%1 renombrados, %2 no se pudieron renombrar</source>
        <translation>%1 renamed, %2 could not be renamed</translation>
    </message>
</context>
<context>
    <name>frmSeleccion</name>
    <message>
        <source>Seleccionar archivos</source>
        <translation>Select files</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>FILTRO:</source>
        <translation>FILTER:</translation>
    </message>
    <message>
        <source>Unidad</source>
        <translation>Drive</translation>
    </message>
    <message>
        <source>Carpetas</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>Archivos</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Filtro</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>La selección incluye logs guardados (*.bwk).
¿Desea dejarlos fuera de la selección?</source>
        <translation>The selection includes saved logs (*.bwk).
Do you want to leave them out of the selection?</translation>
    </message>
    <message>
        <source>Se pueden seleccionar como máximo 32767 archivos.</source>
        <translation>You can select at most 32767 files.</translation>
    </message>
    <message>
        <source>Dispositivo no disponible</source>
        <translation>Device not available</translation>
    </message>
    <message>
        <source>Dispositivo no disponible: no responde.</source>
        <translation>Device not available: not responding.</translation>
    </message>
    <message>
        <source> (no disponible)</source>
        <translation> (not available)</translation>
    </message>
    <message>
        <source> (no responde)</source>
        <translation> (not responding)</translation>
    </message>
</context>
<context>
    <name>frmVistaPrevia</name>
    <message>
        <source>Vista previa</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Cambios previstos</source>
        <translation>Foreseen changes</translation>
    </message>
    <message>
        <source>%1 cambios, %2 fallarán</source>
        <translation>%1 changes, %2 will fail</translation>
    </message>
</context>
</TS>
