// Runs one transcript case in the page, through the site's own runtime (recursos/proceso.js),
// as the course's runner runs it on Linux: a fresh folder with the case's files, the input
// given as a conversation (a line only when the program waits, having shown something new) or
// all at once, standard output and error apart, and one call made to fail when the case says
// so. What the harness adds stands for what a Linux folder has and the site's never needs: a
// link to /dev/full (every write fails: no space), a link to itself (a loop), and the failcall
// preload (the Nth fseek or ftell fails with EIO).
import { Entrada, archivosDe, ejecutar, ponerArchivo } from '../recursos/proceso.js';
import { Directory, Fd, Inode, wasi } from '../recursos/wasi/index.js';

const deBase64 = t => Uint8Array.from(atob(t), c => c.charCodeAt(0));
const aBase64 = b => {
    let s = '';
    for (let i = 0; i < b.length; i += 0x8000)
        s += String.fromCharCode.apply(null, b.subarray(i, i + 0x8000));
    return btoa(s);
};

// Each program compiled once for the whole suite.
const modulos = new Map();
const cargarPrograma = url => {
    if (!modulos.has(url))
        modulos.set(url, WebAssembly.compileStreaming(fetch(url)));
    return modulos.get(url);
};

// /dev/full: reads give zeros, writes fail with ENOSPC.
class Lleno extends Inode {
    path_open() {
        const fd = new Fd();
        fd.fd_write = () => ({ ret: wasi.ERRNO_NOSPC, nwritten: 0 });
        fd.fd_read = n => ({ ret: 0, data: new Uint8Array(n) });
        fd.fd_seek = () => ({ ret: 0, offset: 0n });
        // A device that seeks is no terminal: the C library buffers it whole, as glibc does.
        fd.fd_fdstat_get = () => {
            const estado = new wasi.Fdstat(wasi.FILETYPE_CHARACTER_DEVICE, 0);
            estado.fs_rights_base = BigInt(wasi.RIGHTS_FD_SEEK | wasi.RIGHTS_FD_TELL | wasi.RIGHTS_FD_WRITE | wasi.RIGHTS_FD_READ);
            return { ret: 0, fdstat: estado };
        };
        fd.fd_filestat_get = () => ({ ret: 0, filestat: this.stat() });
        return { ret: 0, fd_obj: fd };
    }
    stat() { return new wasi.Filestat(this.ino, wasi.FILETYPE_CHARACTER_DEVICE, 0n); }
}

// A symbolic link that leads to itself: opening it fails with ELOOP.
class Bucle extends Inode {
    path_open() { return { ret: wasi.ERRNO_LOOP, fd_obj: null }; }
    stat() { return new wasi.Filestat(this.ino, wasi.FILETYPE_SYMBOLIC_LINK, 0n); }
}

// The failcall preload's count: ftell is a seek of 0 from the current place, fseek any other
// seek, both on the program's own files (descriptors past 2).
function fallar(importaciones, fallo) {
    const [nombre, numero] = fallo.split(' ');
    const buscar = importaciones.fd_seek;
    let llamadas = 0;
    importaciones.fd_seek = (fd, desplazamiento, desde, resultado) => {
        const llamada = desplazamiento === 0n && desde === wasi.WHENCE_CUR ? 'ftell' : 'fseek';
        if (fd > 2 && llamada === nombre && ++llamadas === Number(numero))
            return wasi.ERRNO_IO;
        return buscar(fd, desplazamiento, desde, resultado);
    };
}

function lineasDe(bytes) {
    const lineas = [];
    let desde = 0;
    for (let i = 0; i < bytes.length; ++i)
        if (bytes[i] === 10) {
            lineas.push(bytes.slice(desde, i + 1));
            desde = i + 1;
        }
    if (desde < bytes.length)
        lineas.push(bytes.slice(desde));
    return lineas;
}

// pedido: { wasm, argumentos, entrada (base64), conversacion, fusionar (standard error into
// standard output, as the phrases_shell driver does), archivos: [[ruta, base64]],
// carpetas: [ruta], enlaces: [[nombre, destino]], fallo: "fseek 2" or "" }
window.correrCaso = async pedido => {
    const modulo = await cargarPrograma(new URL(pedido.wasm, document.baseURI).href);
    const contenido = new Map();
    for (const [ruta, datos] of pedido.archivos)
        ponerArchivo(contenido, ruta, deBase64(datos));
    for (const ruta of pedido.carpetas) {
        let carpeta = contenido;
        for (const parte of ruta.split('/')) {
            if (!carpeta.has(parte))
                carpeta.set(parte, new Directory(new Map()));
            carpeta = carpeta.get(parte).contents;
        }
    }
    for (const [nombre, destino] of pedido.enlaces)
        contenido.set(nombre, destino === '/dev/full' ? new Lleno() : new Bucle());
    const entrada = new Entrada();
    const lineas = lineasDe(deBase64(pedido.entrada));
    if (!pedido.conversacion) {
        entrada.dar(deBase64(pedido.entrada));
        entrada.cerrar();
    }
    const salida = [], errores = [];
    let mostrado = false;
    let siguiente = 0;
    let muda = 0;
    const comienzo = performance.now();
    const fin = await ejecutar(modulo, {
        argumentos: pedido.argumentos, contenido, entrada, terminal: false,
        salida: b => { salida.push(b); mostrado = true; },
        errores: b => { (pedido.fusionar ? salida : errores).push(b); },
        preparar: pedido.fallo ? imp => fallar(imp, pedido.fallo) : undefined,
        espera: async () => {
            const mismaLinea = siguiente > 0 && lineas[siguiente - 1].at(-1) !== 10;
            if (!mostrado && !mismaLinea && muda === 0)
                muda = siguiente + 1;
            if (siguiente < lineas.length)
                entrada.dar(lineas[siguiente++]);
            else
                entrada.cerrar();
            mostrado = false;
        },
    });
    const unir = trozos => {
        const todo = new Uint8Array(trozos.reduce((n, t) => n + t.length, 0));
        let i = 0;
        for (const t of trozos) {
            todo.set(t, i);
            i += t.length;
        }
        return aBase64(todo);
    };
    return {
        estado: fin.estado, motivo: fin.motivo, muda, milisegundos: performance.now() - comienzo,
        stdout: unir(salida), stderr: unir(errores),
        archivos: archivosDe(contenido).map(([ruta, bytes]) => [ruta, aBase64(bytes)]),
    };
};
window.casosListos = true;
