// Runs one of the course's programs, compiled to wasm32-wasi and instrumented by asyncify
// (tools/web/wasm.sh), in the page: no Worker, no SharedArrayBuffer, so any static host will do.
// The system interface is @bjorn3/browser_wasi_shim's; our own code stands in only where it
// falls short, each place saying so:
//   - standard input: the shim has no input that waits. Ours pauses the program in fd_read
//     (asyncify unwinds its stack) until a line or the end of input is given, then resumes it;
//   - standard output and error: a limit, so that a program printing in a loop stops;
//   - the folder: a folder opened as a file is EISDIR on Linux, for writing at once and for
//     reading at the first read, where the shim opens it; an empty path names no file;
//   - a trap (abort(), a stack run out) ends the run as a signal would, with status 134;
//   - the arguments' size: the shim counts UTF-16 units, and "año" takes more bytes than that.
import { WASI, WASIProcExit, Fd, File, Directory, PreopenDirectory, ConsoleStdout, wasi } from './wasi/index.js';

// What a program may write on each of its outputs before it is stopped, as in the course's tests.
const LIMITE_SALIDA = 1 << 20;

// The student stopped the program, or it wrote too much: the run ends at once.
class Parada extends Error {
    constructor(estado, motivo) {
        super(motivo);
        this.estado = estado;
        this.motivo = motivo;
    }
}

// Standard input: chunks given by the terminal (a line, or what is left of it when Ctrl-D is
// pressed), end-of-input marks (null: one read returns 0, as Ctrl-D does at a line's start in a
// terminal) and a closing (every read returns 0 from then on, as at a pipe's end).
export class Entrada extends Fd {
    constructor() {
        super();
        this.trozos = [];
        this.cerrada = false;
        this.ino = 0n;
    }
    dar(bytes) { this.trozos.push(bytes); }
    finDeEntrada() { this.trozos.push(null); }
    cerrar() { this.cerrada = true; }
    // True when a read would have to wait.
    vacia() { return this.trozos.length === 0 && !this.cerrada; }
    fd_read(tamaño) {
        if (this.trozos.length === 0)
            return { ret: 0, data: new Uint8Array(0) };
        const primero = this.trozos[0];
        if (primero === null) {
            this.trozos.shift();
            return { ret: 0, data: new Uint8Array(0) };
        }
        const dato = primero.subarray(0, tamaño);
        if (dato.length === primero.length)
            this.trozos.shift();
        else
            this.trozos[0] = primero.subarray(dato.length);
        return { ret: 0, data: dato.slice() };
    }
    fd_fdstat_get() {
        const estado = new wasi.Fdstat(wasi.FILETYPE_CHARACTER_DEVICE, 0);
        estado.fs_rights_base = BigInt(wasi.RIGHTS_FD_READ);
        return { ret: 0, fdstat: estado };
    }
    fd_filestat_get() {
        return { ret: 0, filestat: new wasi.Filestat(this.ino, wasi.FILETYPE_CHARACTER_DEVICE, 0n) };
    }
}

// Standard output or error. As a terminal (tty) the C library flushes it at each line end; as a
// pipe, as the course's tests give it, only when full or flushed.
class Salida extends ConsoleStdout {
    constructor(escribir, terminal) {
        super(escribir);
        this.terminal = terminal;
        this.escritos = 0;
    }
    fd_write(datos) {
        this.escritos += datos.byteLength;
        if (this.escritos > LIMITE_SALIDA)
            throw new Parada(1, 'el programa escribió más de 1 MiB');
        return super.fd_write(datos.slice());
    }
    fd_fdstat_get() {
        const r = super.fd_fdstat_get();
        if (!this.terminal)
            r.fdstat.fs_filetype = wasi.FILETYPE_UNKNOWN;
        return r;
    }
}

// The work folder as the program sees it: the shim's, with Linux's answers where they differ.
class Carpeta extends PreopenDirectory {
    path_open(dirflags, ruta, oflags, base, heredados, fdflags) {
        if (ruta === '')
            return { ret: wasi.ERRNO_NOENT, fd_obj: null };
        const r = super.path_open(dirflags, ruta, oflags, base, heredados, fdflags);
        if (r.ret !== 0 || r.fd_obj.dir === undefined || (oflags & wasi.OFLAGS_DIRECTORY) !== 0)
            return r;
        // A folder opened as a file. wasi-libc asks for no rights, so only creating, emptying
        // or appending tell a write: Linux refuses those at once, and a read afterwards.
        if ((oflags & (wasi.OFLAGS_CREAT | wasi.OFLAGS_TRUNC)) !== 0 || (fdflags & wasi.FDFLAGS_APPEND) !== 0)
            return { ret: wasi.ERRNO_ISDIR, fd_obj: null };
        r.fd_obj.fd_read = () => ({ ret: wasi.ERRNO_ISDIR, data: new Uint8Array(0) });
        return r;
    }
}

// The asyncify data: where the unwound stack is kept, in pages grown for it before the program
// starts (so that the program's own allocator takes the pages after them).
const PAGINAS_ASYNCIFY = 2;

// Runs a compiled program to its end. opciones:
//   argumentos   argv, its name first
//   contenido    the work folder's contents (a Map of the shim's inodes), shared by every run
//   entrada      an Entrada
//   salida(bytes), errores(bytes)   what the program writes on descriptors 1 and 2
//   terminal     true: descriptors 0 to 2 are a terminal; false: pipes, as in the tests
//   espera()     called each time the program waits for input with none given; returns a
//                promise that settles when there is (or rejects with a Parada to stop it)
//   preparar(importaciones)   may change the system calls before the program starts (the
//                case suite makes one fail there, as the course's tests do with a preload)
// Resolves to { estado, motivo }: the exit status (128 + the signal after a trap, as a shell
// says it) and, when the program did not end by itself, why in words.
export async function ejecutar(modulo, opciones) {
    const { argumentos, contenido, entrada, salida, errores, terminal = true, espera, preparar } = opciones;
    const fds = [entrada, new Salida(salida, terminal), new Salida(errores, terminal),
        new Carpeta('/', contenido)];
    const shim = new WASI(argumentos, ['LANG=C.UTF-8', 'HOME=/', 'PWD=/'], fds, { debug: false });
    shim.wasiImport.args_sizes_get = (cuantos, bytes) => {
        const vista = new DataView(instancia.exports.memory.buffer);
        vista.setUint32(cuantos, argumentos.length, true);
        vista.setUint32(bytes, argumentos.reduce((n, a) => n + new TextEncoder().encode(a).length + 1, 0), true);
        return 0;
    };
    const leer = shim.wasiImport.fd_read;
    let instancia = null;
    let datos = 0;
    let reanudando = false;
    shim.wasiImport.fd_read = (fd, iovs, cuantos, leidos) => {
        const x = instancia.exports;
        if (reanudando) {
            x.asyncify_stop_rewind();
            reanudando = false;
        }
        if (fd === 0 && fds[0] === entrada && entrada.vacia()) {
            // The stack unwinds from here up to _start, which returns; the run waits, then
            // calls _start again to rewind it to this same call, which then reads.
            const vista = new DataView(x.memory.buffer);
            vista.setUint32(datos, datos + 8, true);
            vista.setUint32(datos + 4, datos + PAGINAS_ASYNCIFY * 65536, true);
            x.asyncify_start_unwind(datos);
            return 0;
        }
        return leer(fd, iovs, cuantos, leidos);
    };
    preparar?.(shim.wasiImport);
    instancia = await WebAssembly.instantiate(modulo, { wasi_snapshot_preview1: shim.wasiImport });
    shim.inst = instancia;
    const x = instancia.exports;
    if (typeof x.asyncify_start_unwind !== 'function')
        throw new Error('el programa no pasó por asyncify (tools/web/wasm.sh)');
    datos = x.memory.grow(PAGINAS_ASYNCIFY) * 65536;
    for (;;) {
        try {
            x._start();
        } catch (e) {
            if (e instanceof WASIProcExit)
                return { estado: e.code, motivo: '' };
            if (e instanceof Parada)
                return { estado: e.estado, motivo: e.motivo };
            if (e instanceof WebAssembly.RuntimeError)
                return { estado: 134, motivo: `el programa terminó con un error: ${e.message}` };
            throw e;
        }
        if (x.asyncify_get_state() !== 1)
            return { estado: 0, motivo: '' };
        x.asyncify_stop_unwind();
        try {
            while (entrada.vacia())
                await espera();
        } catch (e) {
            if (e instanceof Parada)
                return { estado: e.estado, motivo: e.motivo };
            throw e;
        }
        reanudando = true;
        x.asyncify_start_rewind(datos);
    }
}
export { Parada };

// The work folder: its contents as the shim keeps them, kept in the browser's storage between
// visits until the student empties it.
const CLAVE = 'curso.trabajo';

function aBase64(bytes) {
    let texto = '';
    for (let i = 0; i < bytes.length; i += 0x8000)
        texto += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return btoa(texto);
}
function deBase64(texto) {
    const binario = atob(texto);
    const bytes = new Uint8Array(binario.length);
    for (let i = 0; i < binario.length; ++i)
        bytes[i] = binario.charCodeAt(i);
    return bytes;
}

// Every file of a folder's contents, by its path: [[ruta, bytes], ...], sorted.
export function archivosDe(contenido, prefijo = '') {
    const lista = [];
    for (const [nombre, nodo] of contenido) {
        if (nodo instanceof Directory)
            lista.push(...archivosDe(nodo.contents, prefijo + nombre + '/'));
        else if (nodo instanceof File)
            lista.push([prefijo + nombre, nodo.data]);
    }
    return lista.sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0));
}

// Puts a file at its path, making its folders.
export function ponerArchivo(contenido, ruta, bytes) {
    const partes = ruta.split('/').filter(p => p !== '' && p !== '.' && p !== '..');
    const nombre = partes.pop();
    if (nombre === undefined)
        return;
    let carpeta = contenido;
    for (const parte of partes) {
        let nodo = carpeta.get(parte);
        if (!(nodo instanceof Directory)) {
            nodo = new Directory(new Map());
            carpeta.set(parte, nodo);
        }
        carpeta = nodo.contents;
    }
    carpeta.set(nombre, new File(bytes));
}

export class Trabajo {
    constructor(almacen = globalThis.localStorage) {
        this.almacen = almacen;
        this.contenido = new Map();
        this.cargar();
    }
    // What another tab of the site may have left there.
    cargar() {
        this.contenido.clear();
        let guardado = null;
        try {
            guardado = JSON.parse(this.almacen?.getItem(CLAVE) ?? 'null');
        } catch {
            guardado = null;
        }
        for (const [ruta, base64] of Object.entries(guardado?.archivos ?? {}))
            ponerArchivo(this.contenido, ruta, deBase64(base64));
    }
    // False when the browser's storage is full or not allowed: the files last this visit only.
    guardar() {
        const archivos = {};
        for (const [ruta, bytes] of archivosDe(this.contenido))
            archivos[ruta] = aBase64(bytes);
        try {
            this.almacen?.setItem(CLAVE, JSON.stringify({ archivos }));
            return true;
        } catch {
            return false;
        }
    }
    vaciar() {
        this.contenido.clear();
        try {
            this.almacen?.removeItem(CLAVE);
        } catch {
            // sin almacenamiento: no hay nada guardado
        }
    }
}
