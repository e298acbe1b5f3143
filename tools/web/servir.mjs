// Serves a built site on this machine alone, as any static host would: plain files, the right
// content types (a module script and a .wasm need theirs), no special headers.
//   node servir.mjs <site-folder> [port]      prints the address; Control+C stops it
// Also imported by the browser tests, which serve the site on a free port.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
    '.html': 'text/html; charset=utf-8', '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8', '.mjs': 'text/javascript; charset=utf-8',
    '.json': 'application/json', '.wasm': 'application/wasm', '.svg': 'image/svg+xml',
    '.png': 'image/png', '.ico': 'image/x-icon', '.txt': 'text/plain; charset=utf-8',
    '.woff2': 'font/woff2', '.map': 'application/json',
};

// Resolves with the server once it listens on 127.0.0.1 (port 0: any free one).
export function servir(folder, port = 0) {
    const root = path.resolve(folder);
    const server = http.createServer((request, response) => {
        let name;
        try {
            name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
        } catch {
            response.writeHead(400).end();
            return;
        }
        let file = path.join(root, path.normalize(name));
        // Nothing outside the site, whatever the path asks for.
        if (file !== root && !file.startsWith(root + path.sep)) {
            response.writeHead(403).end();
            return;
        }
        if (fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, 'index.html');
        fs.readFile(file, (error, data) => {
            if (error) {
                response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' }).end('No existe\n');
                return;
            }
            const type = types[path.extname(file).toLowerCase()] || 'application/octet-stream';
            response.writeHead(200, { 'Content-Type': type, 'Content-Length': data.length }).end(data);
        });
    });
    return new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(port, '127.0.0.1', () => resolve(server));
    });
}

if (process.argv[1] && fileURLToPath(import.meta.url) === path.resolve(process.argv[1])) {
    const [folder, port = '8000'] = process.argv.slice(2);
    if (!folder || !fs.existsSync(path.join(folder, 'index.html'))) {
        console.error(`make servir: no hay sitio en ${folder || '?'}: constrúyelo antes con make web`);
        process.exit(1);
    }
    servir(folder, Number(port)).then((server) => {
        console.log(`[make servir] el sitio está en http://127.0.0.1:${server.address().port}/ (Control+C para parar)`);
    }, (error) => {
        console.error(`make servir: no se puede escuchar en el puerto ${port} (${error.code}); prueba con otro: make servir PUERTO=8080`);
        process.exit(1);
    });
}
