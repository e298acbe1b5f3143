// The site's terminals in a real browser: Debian's chromium, driven by playwright-core, over a
// plain static server (no special headers), on a test site assembled in the build folder from
// the terminal's own files (tools/web/recursos, recursos.txt), the programs' wasm and two
// pages of its own: every transcript case run in the page, and a program's page typed into.
//   node navegador.mjs casos|terminal BUILD SOURCE RUNNER
// Exit status 0 when everything passes, 1 when something fails, 77 when this machine lacks
// what the test needs (chromium, the wasm programs), saying why.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';

const [modo, build, source, runner] = process.argv.slice(2);
const CHROMIUM = '/usr/bin/chromium';
const skip = why => { console.log(`SKIP: ${why}`); process.exit(77); };

if (!fs.existsSync(CHROMIUM))
    skip(`${CHROMIUM} is missing (Debian: sudo apt install chromium)`);
const wasmFolder = path.join(build, 'web-wasm');
if (!fs.existsSync(path.join(wasmFolder, 'addthree.wasm')))
    skip('the programs were not built for the browser (tools/web/wasm.sh said why)');
const { chromium } = await import('playwright-core');

// The test site: what the generator puts in $(BUILD)/web for the terminals, and our pages.
const site = path.join(build, 'web-prueba');
fs.rmSync(site, { recursive: true, force: true });
const copy = (from, to) => {
    fs.mkdirSync(path.dirname(to), { recursive: true });
    fs.cpSync(from, to, { recursive: true });
};
copy(path.join(source, 'tools/web/recursos'), path.join(site, 'recursos'));
for (const line of fs.readFileSync(path.join(source, 'tools/web/recursos.txt'), 'utf8').split('\n')) {
    const m = line.match(/^\s*([^#\s].*?)\s*->\s*(.+?)\s*$/);
    if (m)
        copy(path.join(build, 'web-npm/node_modules', m[1]), path.join(site, 'recursos', m[2]));
}
copy(wasmFolder, path.join(site, 'wasm'));
copy(path.join(build, 'web-wasm-pruebas'), path.join(site, 'wasm-pruebas'));
for (const file of ['casos.html', 'casos.js'])
    copy(path.join(source, 'tests/web', file), path.join(site, 'pruebas', file));
// A program's page as the interface between the site's pages and its terminals has it.
const programPage = (name, args = '') => `<!DOCTYPE html>
<html lang="es"><head><meta charset="utf-8"><title>${name}</title>
<link rel="stylesheet" href="../recursos/xterm.css">
<script type="module" src="../recursos/terminal.js"></script></head>
<body><h1>${name}</h1>
<section id="terminal" class="terminal" data-programa="${name}" data-argumentos="${args}"
         aria-label="Terminal: ${name}"><noscript>El terminal necesita JavaScript.</noscript></section>
</body></html>`;
fs.mkdirSync(path.join(site, 'programas'), { recursive: true });
for (const wasm of fs.readdirSync(wasmFolder))
    if (wasm.endsWith('.wasm')) {
        const name = wasm.slice(0, -5);
        fs.writeFileSync(path.join(site, 'programas', `${name}.html`), programPage(name));
    }

// Any static host: files as they are, with their types, nothing else.
const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
    '.css': 'text/css', '.wasm': 'application/wasm' };
const server = http.createServer((request, response) => {
    const wanted = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(site, path.normalize(wanted).replace(/^(\.\.[/\\])+/, ''));
    fs.readFile(file, (error, data) => {
        if (error) {
            response.writeHead(404);
            response.end();
            return;
        }
        response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
        response.end(data);
    });
});
await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
const base = `http://127.0.0.1:${server.address().port}`;

const scratch = path.join(build, 'tmp');
fs.mkdirSync(scratch, { recursive: true });
const flags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'];
// A fresh profile each time: nothing cached, nothing stored from an earlier run. None is left
// behind, also when a step throws.
const profiles = [];
process.on('exit', () => profiles.forEach(p => fs.rmSync(p, { recursive: true, force: true })));
const openBrowser = async () => {
    const profile = fs.mkdtempSync(path.join(scratch, 'chromium-'));
    profiles.push(profile);
    const context = await chromium.launchPersistentContext(profile, { executablePath: CHROMIUM, headless: true,
        args: flags, acceptDownloads: true });
    return { context, close: async () => { await context.close(); fs.rmSync(profile, { recursive: true, force: true }); } };
};

const gzip = file => zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length;
const kb = bytes => `${(bytes / 1024).toFixed(1)} KB`;
let failed = 0;
const fail = message => {
    console.log(`FAIL: ${message}`);
    ++failed;
};

// ---- Every transcript case, run in the page and judged by the course's own runner. ----
async function cases() {
    const facts = fs.readFileSync(path.join(build, 'web-wasm-pruebas/platform.txt'), 'utf8').split('\n');
    const listing = execFileSync(runner, ['--list', path.join(source, 'casos')], { encoding: 'utf8' });
    const { context, close } = await openBrowser();
    const page = await context.newPage();
    page.on('pageerror', e => fail(`the page: ${e.message}`));
    await page.goto(`${base}/pruebas/casos.html`);
    await page.waitForFunction(() => window.casosListos === true);
    const results = path.join(scratch, 'web-casos');
    fs.rmSync(results, { recursive: true, force: true });
    const skipped = new Map();
    let passed = 0, total = 0;
    const started = Date.now();
    for (const line of listing.split('\n')) {
        const [group, name, folder, driver, error] = line.split('\t');
        if (!folder)
            continue;
        ++total;
        const id = `${group}/${name}`;
        if (error) {
            fail(`${id}: ${error}`);
            continue;
        }
        const read = file => {
            const at = path.join(folder, file);
            return fs.existsSync(at) ? fs.readFileSync(at) : null;
        };
        const lines = file => (read(file)?.toString('utf8') ?? '').split('\n').filter((l, i, all) => i < all.length - 1 || l !== '');
        const files = [];
        const walk = (from, prefix) => {
            for (const entry of fs.readdirSync(from, { withFileTypes: true })) {
                const at = path.join(from, entry.name);
                if (entry.isDirectory()) {
                    files.push([`${prefix}${entry.name}/.carpeta`, null]);
                    walk(at, `${prefix}${entry.name}/`);
                } else {
                    files.push([prefix + entry.name, fs.readFileSync(at).toString('base64'), (fs.statSync(at).mode & 0o111) !== 0]);
                }
            }
        };
        if (fs.existsSync(path.join(folder, 'files')))
            walk(path.join(folder, 'files'), '');
        // What the browser cannot be, said as the platform fact the case needs.
        const why = (() => {
            if (files.some(f => f[2]))
                return 'runs a command of its own folder: the browser has no shell and no other program';
            const unmet = lines('platform').find(fact => !facts.includes(fact));
            if (unmet)
                return `holds where ${unmet}, which wasm32 does not`;
            return '';
        })();
        if (why) {
            skipped.set(id, why);
            continue;
        }
        // phrases_shell runs phrases with standard error into standard output: the page can
        // do that itself, and it has no other program to run.
        const program = driver === 'phrases_shell' ? 'phrases' : driver || group;
        const pedido = {
            wasm: fs.existsSync(path.join(wasmFolder, `${program}.wasm`)) ? `../wasm/${program}.wasm` : `../wasm-pruebas/${program}.wasm`,
            argumentos: [read('argv0')?.toString('utf8').replace(/\n$/, '') ?? program, ...lines('args')],
            entrada: (read('stdin') ?? Buffer.alloc(0)).toString('base64'),
            conversacion: read('batch') === null,
            fusionar: driver === 'phrases_shell',
            archivos: files.filter(f => f[1] !== null).map(f => [f[0], f[1]]),
            carpetas: files.filter(f => f[1] === null).map(f => f[0].replace(/\/\.carpeta$/, '')),
            enlaces: lines('links').map(l => l.split(/\s*->\s*/)),
            fallo: read('fail')?.toString('utf8').trim() ?? '',
        };
        let result;
        try {
            result = await page.evaluate(s => window.correrCaso(s), pedido);
        } catch (e) {
            fail(`${id}: ${e.message}`);
            continue;
        }
        const out = path.join(results, group, name);
        fs.mkdirSync(path.join(out, 'work'), { recursive: true });
        fs.writeFileSync(path.join(out, 'stdout'), Buffer.from(result.stdout, 'base64'));
        fs.writeFileSync(path.join(out, 'stderr'), Buffer.from(result.stderr, 'base64'));
        fs.writeFileSync(path.join(out, 'status'), `${result.estado}\n`);
        if (result.muda)
            fs.writeFileSync(path.join(out, 'silent'), `${result.muda}\n`);
        for (const [file, data] of result.archivos) {
            fs.mkdirSync(path.dirname(path.join(out, 'work', file)), { recursive: true });
            fs.writeFileSync(path.join(out, 'work', file), Buffer.from(data, 'base64'));
        }
        const verdict = spawnSync(runner, ['--judge', folder, out], { encoding: 'utf8',
            env: { ...process.env, TRANSCRIPT_PLATFORM: path.join(build, 'web-wasm-pruebas/platform.txt'), TRANSCRIPT_FAILCALL: 'web' } });
        if (verdict.status === 0) {
            ++passed;
            fs.rmSync(out, { recursive: true, force: true });
        } else if (verdict.status === 77) {
            skipped.set(id, verdict.stdout.replace(/^SKIP: /, '').trim());
        } else {
            fail(`${id}${result.motivo ? ` (${result.motivo})` : ''}\n${verdict.stdout}${verdict.stderr}`);
        }
    }
    await close();
    for (const [id, why] of skipped)
        console.log(`SKIP: ${id}: ${why}`);
    console.log(`web: ${passed} passed, ${skipped.size} skipped, ${failed} failed, of ${total} cases, in ${((Date.now() - started) / 1000).toFixed(1)} s`);
    const sizes = fs.readdirSync(wasmFolder).filter(f => f.endsWith('.wasm')).map(f => gzip(path.join(wasmFolder, f))).sort((a, b) => a - b);
    console.log(`wasm, gzip: ${sizes.length} programs, ${kb(sizes[0])} to ${kb(sizes.at(-1))}, median ${kb(sizes[sizes.length >> 1])}`);
}

// ---- A program's page, used as a student uses it: keys typed into its terminal. ----
const caseFile = (id, file) => {
    const at = path.join(source, 'casos', id, file);
    return fs.existsSync(at) ? fs.readFileSync(at) : null;
};

// Opens a program's page and waits for its first prompt; milliseconds from the navigation.
async function open(page, name) {
    await page.goto(`${base}/programas/${name}.html`);
    await page.waitForFunction(() => document.querySelector('section.terminal')?.dataset.esperas === '1', null, { timeout: 30000, polling: 50 });
    // The page leaves the focus where it was: the student clicks the terminal to type.
    await page.click('section.terminal .xterm-screen');
    return page.evaluate(() => Number(document.querySelector('section.terminal').dataset.primeraEspera));
}

// Types each line of a case's input when the program waits for it (Ctrl-D at the end when
// asked), and returns what the terminal showed of the program's and its exit status.
async function type(page, input, endOfInput = false) {
    const lines = input.toString('utf8').split('\n');
    if (lines.at(-1) === '')
        lines.pop();
    for (const [i, line] of lines.entries()) {
        await page.waitForFunction(n => document.querySelector('section.terminal').dataset.esperas === String(n)
            && document.querySelector('section.terminal').dataset.estado === 'esperando', i + 1, { timeout: 30000, polling: 50 });
        await page.keyboard.type(line);
        await page.keyboard.press('Enter');
    }
    if (endOfInput) {
        await page.waitForFunction(() => document.querySelector('section.terminal').dataset.estado !== 'ejecutando');
        await page.keyboard.press('Control+D');
    }
    await page.waitForFunction(() => document.querySelector('section.terminal').dataset.estado === 'terminado', null, { timeout: 30000, polling: 50 });
    return page.evaluate(() => {
        const s = document.querySelector('section.terminal');
        return { shown: Array.from(s.terminal.mostrado()), status: Number(s.dataset.salida) };
    });
}

async function terminal() {
    const { context, close } = await openBrowser();
    const page = await context.newPage();
    page.on('pageerror', e => fail(`the page: ${e.message}`));
    page.on('dialog', dialog => dialog.accept());
    const same = (what, shown, expected) => {
        if (!Buffer.from(shown).equals(expected))
            fail(`${what}: the terminal showed\n${JSON.stringify(Buffer.from(shown).toString('utf8'))}\ninstead of\n${JSON.stringify(expected.toString('utf8'))}`);
    };

    // Typed lines, as the case's conversation gives them: the same bytes as on Linux.
    await open(page, 'ageheight');
    let run = await type(page, caseFile('ageheight/edad-20-y-altura-1-75', 'stdin'));
    same('ageheight typed', run.shown, caseFile('ageheight/edad-20-y-altura-1-75', 'stdout'));

    // Ctrl-D at the start of a line is the end of input.
    await open(page, 'ageheight');
    run = await type(page, '', true);
    same('ageheight with Ctrl-D', run.shown, caseFile('ageheight/fin-de-la-entrada-en-la-edad', 'stdout'));
    if (run.status !== Number(caseFile('ageheight/fin-de-la-entrada-en-la-edad', 'status')))
        fail(`ageheight with Ctrl-D ended with status ${run.status}`);

    // Arguments from the field, run again with the button.
    await page.goto(`${base}/programas/paramsum.html`);
    await page.waitForFunction(() => document.querySelector('section.terminal').dataset.estado === 'terminado');
    await page.fill('section.terminal input[type=text]', caseFile('paramsum/cada-valor-se-satura', 'args').toString('utf8').trim().split('\n').join(' '));
    await page.click('section.terminal button[type=submit]');
    await page.waitForFunction(() => document.querySelector('section.terminal').dataset.estado === 'terminado' &&
        document.querySelector('section.terminal').terminal.mostrado().length > 0);
    run = await type(page, '');
    same('paramsum with arguments', run.shown, caseFile('paramsum/cada-valor-se-satura', 'stdout'));
    // Quotes keep blanks, accents take their UTF-8 bytes: as the same program shows on Linux.
    const accented = 'ñ'.repeat(40);
    await page.fill('section.terminal input[type=text]', `3 año 4 'dos palabras' ${accented}`);
    await page.click('section.terminal button[type=submit]');
    await page.waitForFunction(() => document.querySelector('section.terminal').terminal.mostrado().length > 0);
    run = await type(page, '');
    same('paramsum with quoted and accented arguments', run.shown, execFileSync(path.join(build, 'bin/paramsum'),
        ['3', 'año', '4', 'dos palabras', accented], { argv0: 'paramsum' }));

    // A file from one program to the next, through the shared folder and across a reload; its
    // download is the very bytes; emptying the folder empties it for good.
    await open(page, 'recsaver');
    await type(page, caseFile('recsaver/seis-registros-168-bytes', 'stdin'));
    const link = page.locator('section.terminal .trabajo-lista a', { hasText: 'registros.dat' });
    const [download] = await Promise.all([page.waitForEvent('download'), link.click()]);
    const downloaded = fs.readFileSync(await download.path());
    if (!downloaded.equals(caseFile('recsaver/seis-registros-168-bytes', 'expect/registros.dat')))
        fail(`the download of registros.dat differs from what recsaver wrote (${downloaded.length} bytes)`);
    await open(page, 'recloader');
    run = await type(page, caseFile('recloader/seis-registros-de-recsaver', 'stdin'));
    same('recloader after recsaver', run.shown, caseFile('recloader/seis-registros-de-recsaver', 'stdout'));
    await page.setInputFiles('section.terminal input[type=file]', { name: 'subido.txt', mimeType: 'text/plain', buffer: Buffer.from('hola\n') });
    const listed = () => page.locator('section.terminal .trabajo-lista').innerText();
    try {
        await page.locator('section.terminal .trabajo-lista li', { hasText: 'subido.txt (5 bytes)' }).waitFor({ timeout: 30000 });
    } catch {
        fail(`an uploaded file is not listed: ${await listed()}`);
    }
    await page.click('section.terminal .trabajo button:has-text("Vaciar la carpeta")');
    await page.reload();
    await page.waitForFunction(() => document.querySelector('section.terminal')?.dataset.esperas === '1');
    if (!(await listed()).includes('La carpeta está vacía.'))
        fail(`the emptied folder still lists, after a reload: ${await listed()}`);
    await close();

    // Figures: a program's page, terminal and program, gzip; the first prompt, cold.
    const resources = path.join(site, 'recursos');
    const walk = folder => fs.readdirSync(folder, { withFileTypes: true }).flatMap(e =>
        e.isDirectory() ? walk(path.join(folder, e.name)) : [path.join(folder, e.name)]);
    const terminalBytes = walk(resources).filter(f => !f.endsWith('estilo.css')).reduce((n, f) => n + gzip(f), 0);
    const wasms = fs.readdirSync(wasmFolder).map(f => [gzip(path.join(wasmFolder, f)), f]).sort((a, b) => a[0] - b[0]);
    const [largest, name] = wasms.at(-1);
    const page150 = terminalBytes + largest + gzip(path.join(site, 'programas', name.replace('.wasm', '.html')));
    console.log(`weight, gzip: the terminal ${kb(terminalBytes)}; with the largest program (${name}, ${kb(largest)}) and its test page ${kb(page150)}`);
    if (page150 > 150 * 1024)
        fail(`a program's page with its terminal weighs ${kb(page150)} gzip, more than 150 KB`);
    const times = [];
    for (const program of ['agemenu', 'fullmenu', 'ageheight']) {
        const cold = await openBrowser();
        times.push([program, Math.round(await open(cold.context.pages()[0] ?? await cold.context.newPage(), program))]);
        await cold.close();
    }
    console.log(`first prompt, cold (a fresh browser profile): ${times.map(([p, t]) => `${p} ${t} ms`).join(', ')}`);
    console.log(`web terminal: ${failed === 0 ? 'passed' : `${failed} failed`}`);
}

await ({ casos: cases, terminal }[modo] ?? (() => { console.log(`usage: navegador.mjs casos|terminal BUILD SOURCE RUNNER`); process.exit(2); }))();
server.close();
process.exit(failed === 0 ? 0 : 1);
