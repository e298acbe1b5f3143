// The terminals of a page: each <section class="terminal" data-programa data-argumentos> gets a
// terminal (xterm.js) that runs the program compiled to WebAssembly (../wasm/<programa>.wasm),
// an arguments field, the run and stop buttons, and the panel of the work folder that every
// program of the site shares (list, download, upload, empty), kept in the browser's storage.
// The terminal behaves as a Linux terminal in its usual mode: what is typed shows as it is
// typed and can be erased; Enter gives the line to the program, Ctrl-D gives what is typed so
// far or, at a line's start, the end of input; Ctrl-C stops the program. The program's bytes
// are shown as they are: only a line feed is shown as a carriage return and a line feed.

// Each page's programs are fetched and compiled at once, while the terminal's own modules load:
// they are imported all together, not one level after another, so that the first prompt comes
// after one round trip for the code, not four.
const modulos = new Map();
function cargarPrograma(url) {
    if (!modulos.has(url)) {
        const promesa = fetch(url).then(respuesta => {
            if (!respuesta.ok)
                throw new Error(`no se pudo descargar ${url} (${respuesta.status})`);
            return WebAssembly.compileStreaming ? WebAssembly.compileStreaming(respuesta)
                : respuesta.arrayBuffer().then(b => WebAssembly.compile(b));
        });
        promesa.catch(() => modulos.delete(url));
        modulos.set(url, promesa);
    }
    return modulos.get(url);
}
const urlDe = programa => new URL(`../wasm/${programa}.wasm`, document.baseURI).href;
for (const seccion of document.querySelectorAll('section.terminal'))
    cargarPrograma(urlDe(seccion.dataset.programa)).catch(() => {});
const [{ Terminal }, { Entrada, Parada, Trabajo, archivosDe, ejecutar, ponerArchivo }] = await Promise.all([
    import('./xterm.mjs'), import('./proceso.js'),
    ...['index', 'wasi', 'wasi_defs', 'fd', 'fs_mem', 'fs_opfs', 'strace', 'debug'].map(m => import(`./wasi/${m}.js`))]);

const trabajo = new Trabajo();
const paneles = [];
const enCurso = new Set();

// A shell's splitting of the arguments field: blanks separate, quotes keep blanks.
export function partirArgumentos(texto) {
    const palabras = [];
    let palabra = null;
    let comilla = '';
    for (const c of texto) {
        if (comilla !== '') {
            if (c === comilla)
                comilla = '';
            else
                palabra += c;
        } else if (c === '"' || c === "'") {
            comilla = c;
            palabra ??= '';
        } else if (c === ' ' || c === '\t' || c === '\n') {
            if (palabra !== null)
                palabras.push(palabra);
            palabra = null;
        } else {
            palabra = (palabra ?? '') + c;
        }
    }
    if (palabra !== null)
        palabras.push(palabra);
    return palabras;
}

function crear(etiqueta, atributos = {}, ...hijos) {
    const e = document.createElement(etiqueta);
    for (const [k, v] of Object.entries(atributos))
        e.setAttribute(k, v);
    e.append(...hijos);
    return e;
}

function tamaño(bytes) {
    return bytes === 1 ? '1 byte' : `${bytes} bytes`;
}

// The work folder's panel: redrawn after each run, upload or emptying, on every terminal.
function redibujarPaneles() {
    const archivos = archivosDe(trabajo.contenido);
    for (const panel of paneles) {
        for (const enlace of panel.lista.querySelectorAll('a[href^="blob:"]'))
            URL.revokeObjectURL(enlace.href);
        panel.lista.replaceChildren();
        if (archivos.length === 0)
            panel.lista.append(crear('li', {}, 'La carpeta está vacía.'));
        for (const [ruta, bytes] of archivos) {
            const enlace = crear('a', { download: ruta.split('/').pop(),
                href: URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' })) }, ruta);
            panel.lista.append(crear('li', {}, enlace, ` (${tamaño(bytes.length)})`));
        }
        panel.vaciar.disabled = archivos.length === 0;
    }
}

function guardar(aviso) {
    if (!trabajo.guardar())
        aviso.textContent = 'El navegador no deja guardar la carpeta: sus archivos durarán solo esta visita.';
    redibujarPaneles();
}

function montar(seccion) {
    const programa = seccion.dataset.programa;
    const url = urlDe(programa);
    seccion.querySelector('noscript')?.remove();

    const pantalla = crear('div', { class: 'terminal-pantalla' });
    const campo = crear('input', { type: 'text', id: `argumentos-${programa}`, spellcheck: 'false',
        autocomplete: 'off', value: seccion.dataset.argumentos ?? '' });
    const ejecutarBoton = crear('button', { type: 'submit' }, 'Ejecutar');
    const pararBoton = crear('button', { type: 'button', disabled: '' }, 'Parar');
    const formulario = crear('form', { class: 'terminal-orden' },
        crear('label', { for: campo.id }, `Argumentos de ${programa}: `), campo, ' ', ejecutarBoton, ' ', pararBoton);
    const estado = crear('p', { class: 'terminal-estado', role: 'status' });
    const lista = crear('ul', { class: 'trabajo-lista' });
    const subir = crear('input', { type: 'file', multiple: '', id: `subir-${programa}` });
    const vaciar = crear('button', { type: 'button' }, 'Vaciar la carpeta');
    const aviso = crear('p', { class: 'trabajo-aviso' });
    const panel = crear('section', { class: 'trabajo', 'aria-label': 'Carpeta de trabajo' },
        crear('h3', {}, 'Carpeta de trabajo'),
        crear('p', {}, 'Los archivos que escriben y leen los programas de esta web. Se guardan en este navegador hasta que vacíes la carpeta.'),
        lista, crear('label', { for: subir.id }, 'Subir archivos: '), subir, ' ', vaciar, aviso);
    seccion.append(pantalla, formulario, estado, panel);
    paneles.push({ lista, vaciar });

    const term = new Terminal({ convertEol: false, cursorBlink: true, rows: 24, cols: 80,
        scrollback: 5000, screenReaderMode: true, fontSize: 15 });
    term.open(pantalla);
    // Tab leaves the terminal, as it leaves any field: the course's programs read no tabs.
    term.attachCustomKeyEventHandler(e => e.key !== 'Tab');
    term.onBell(() => {
        seccion.classList.add('campana');
        setTimeout(() => seccion.classList.remove('campana'), 150);
    });

    // What the terminal showed, byte for byte as the program wrote it (the tests read it).
    const mostrado = [];
    let entrada = null;
    let linea = '';
    let avisar = null;  // resolves the wait of a program that waits for input
    let parar = null;
    const codificador = new TextEncoder();

    const mostrar = bytes => {
        mostrado.push(bytes);
        let saltos = 0;
        for (const b of bytes)
            saltos += b === 10;
        if (saltos === 0) {
            term.write(bytes);
            return;
        }
        const pantallaBytes = new Uint8Array(bytes.length + saltos);
        let j = 0;
        for (const b of bytes) {
            if (b === 10)
                pantallaBytes[j++] = 13;
            pantallaBytes[j++] = b;
        }
        term.write(pantallaBytes);
    };
    const dar = fin => {
        if (entrada === null)
            return;
        if (linea !== '')
            entrada.dar(codificador.encode(linea));
        if (fin)
            entrada.finDeEntrada();
        linea = '';
        avisar?.();
    };
    term.onData(datos => {
        if (entrada === null)
            return;
        for (const c of datos) {
            if (c === '\r' || c === '\n') {
                term.write('\r\n');
                linea += '\n';
                dar(false);
            } else if (c === '\x04') {
                dar(true);
            } else if (c === '\x03') {
                term.write('^C\r\n');
                parar?.(new Parada(130, 'parado con Ctrl-C'));
            } else if (c === '\x7f' || c === '\b') {
                const letras = [...linea];
                if (letras.length > 0) {
                    letras.pop();
                    linea = letras.join('');
                    term.write('\b \b');
                }
            } else if (c >= ' ' || c === '\t') {
                linea += c;
                term.write(c);
            }
        }
    });

    // The focus goes to the terminal when the student starts the program, not when the page
    // loads it: keyboard and screen-reader users start at the top of the page.
    const correr = async (porElAlumno = false) => {
        if (entrada !== null)
            return;
        entrada = new Entrada();
        linea = '';
        mostrado.length = 0;
        delete seccion.dataset.esperas;
        delete seccion.dataset.primeraEspera;
        seccion.dataset.estado = 'cargando';
        ejecutarBoton.disabled = true;
        pararBoton.disabled = false;
        estado.textContent = `Cargando ${programa}…`;
        if (enCurso.size === 0)
            trabajo.cargar();
        enCurso.add(programa);
        let fin;
        try {
            const modulo = await cargarPrograma(url);
            seccion.dataset.estado = 'ejecutando';
            estado.textContent = `${programa} se está ejecutando.`;
            if (porElAlumno)
                term.focus();
            fin = await ejecutar(modulo, {
                argumentos: [programa, ...partirArgumentos(campo.value)],
                contenido: trabajo.contenido, entrada, salida: mostrar, errores: mostrar, terminal: true,
                espera: () => new Promise((resolver, rechazar) => {
                    seccion.dataset.estado = 'esperando';
                    // How many times it has waited, and when first (the tests read them).
                    seccion.dataset.esperas = String(Number(seccion.dataset.esperas ?? 0) + 1);
                    seccion.dataset.primeraEspera ??= String(Math.round(performance.now()));
                    estado.textContent = `${programa} espera que escribas (Intro da la línea; Ctrl-D, el fin de la entrada).`;
                    avisar = () => {
                        avisar = parar = null;
                        seccion.dataset.estado = 'ejecutando';
                        resolver();
                    };
                    parar = motivo => {
                        avisar = parar = null;
                        rechazar(motivo);
                    };
                }),
            });
        } catch (e) {
            fin = { estado: null, motivo: `no se pudo ejecutar: ${e.message}` };
        }
        entrada = null;
        avisar = parar = null;
        enCurso.delete(programa);
        seccion.dataset.estado = 'terminado';
        seccion.dataset.salida = String(fin.estado);
        estado.textContent = fin.estado === null ? `${programa}: ${fin.motivo}.`
            : `${programa} terminó con estado ${fin.estado}${fin.motivo ? ` (${fin.motivo})` : ''}. Ejecutar lo empieza otra vez.`;
        ejecutarBoton.disabled = false;
        pararBoton.disabled = true;
        guardar(aviso);
    };
    seccion.terminal = { mostrado: () => {
        const todo = new Uint8Array(mostrado.reduce((n, b) => n + b.length, 0));
        let i = 0;
        for (const b of mostrado) {
            todo.set(b, i);
            i += b.length;
        }
        return todo;
    } };

    formulario.addEventListener('submit', e => {
        e.preventDefault();
        if (entrada === null) {
            term.reset();
            correr(true);
        }
    });
    pararBoton.addEventListener('click', () => {
        parar?.(new Parada(130, 'parado'));
        term.focus();
    });
    subir.addEventListener('change', async () => {
        for (const archivo of subir.files)
            ponerArchivo(trabajo.contenido, archivo.name, new Uint8Array(await archivo.arrayBuffer()));
        subir.value = '';
        guardar(aviso);
    });
    vaciar.addEventListener('click', () => {
        const cuantos = archivosDe(trabajo.contenido).length;
        if (!confirm(`¿Vaciar la carpeta de trabajo? Se borrarán ${cuantos === 1 ? 'su archivo' : `sus ${cuantos} archivos`}.`))
            return;
        trabajo.vaciar();
        redibujarPaneles();
    });
    correr();
}

// Another tab of the site changed the folder: shown here too, unless a program is using it.
addEventListener('storage', () => {
    if (enCurso.size === 0) {
        trabajo.cargar();
        redibujarPaneles();
    }
});

for (const seccion of document.querySelectorAll('section.terminal'))
    montar(seccion);
redibujarPaneles();
