// The course's site, written once when it is built: the index by topic, one page per program
// (its statement, the terminal that runs it, every source file of the course's solution) and
// utiles' manual pages. Static files only; the pages read without JavaScript.
//   node sitio.mjs <checkout> <build-folder>      writes <build-folder>/web/
// Run from the folder tools/web/npm.sh prepares, where its packages are installed.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { Marked } from 'marked';
import hljs from 'highlight.js/lib/core';
import c from 'highlight.js/lib/languages/c';
import cpp from 'highlight.js/lib/languages/cpp';
import { manAHtml } from './manual.mjs';

hljs.registerLanguage('c', c);
hljs.registerLanguage('cpp', cpp);

const [root, build] = process.argv.slice(2).map((p) => p && path.resolve(p));
if (!root || !build) {
    console.error('usage: node sitio.mjs <checkout> <build-folder>');
    process.exit(2);
}
const web = path.join(build, 'web');
// The folder npm.sh prepared: this script's copy and the packages it installed.
const stage = path.dirname(fileURLToPath(import.meta.url));
// Built afresh each time: a page of a program that is gone does not stay behind.
fs.rmSync(web, { recursive: true, force: true });

const read = (file) => fs.readFileSync(path.join(root, file), 'utf8');
const exists = (file) => fs.existsSync(path.join(root, file));
const escape = (text) => String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;')
    .replace(/>/g, '&gt;').replace(/"/g, '&quot;');
function write(file, text) {
    const target = path.join(web, file);
    fs.mkdirSync(path.dirname(target), { recursive: true });
    fs.writeFileSync(target, text);
}

// The index, as scripts/indice.sh gives it to make list and LEEME.md.
const entries = execFileSync('sh', [path.join(root, 'scripts/indice.sh'), 'entradas'], { encoding: 'utf8' })
    .split('\n').filter(Boolean).map((line) => {
        const [topic, name, kind, source, args, description] = line.split('\t');
        return { topic, name, kind, source, args, description };
    });

// What the build declares: each program's and module's sources and the modules they link,
// read from the curso_program and curso_module lines of the CMakeLists.txt files.
const targets = new Map();
function readTargets(folder) {
    for (const entry of fs.readdirSync(path.join(root, folder), { withFileTypes: true })) {
        const child = path.posix.join(folder, entry.name);
        if (entry.isDirectory()) readTargets(child);
        if (entry.name !== 'CMakeLists.txt') continue;
        const text = read(child).replace(/#.*$/gm, '');
        for (const [, kind, body] of text.matchAll(/curso_(program|module)\(([^)]*)\)/g)) {
            const [name, ...words] = body.trim().split(/\s+/);
            const lists = { SOURCES: [], MODULES: [] };
            let list = null;
            for (const word of words) {
                if (word in lists) list = lists[word];
                else if (list) list.push(word);
            }
            let sources = lists.SOURCES;
            if (!sources.length && kind === 'program') {
                sources = [exists(`${folder}/${name}.c`) ? `${name}.c` : `${name}.cpp`];
            }
            targets.set(name, { folder, sources: sources.map((s) => `${folder}/${s}`), modules: lists.MODULES });
        }
    }
}
for (const folder of ['lib', 'menu', 'modules', 'programs']) readTargets(folder);

// Every file of a program or module: its own sources, those of the modules it links, and the
// headers they include with quotes, found as the compiler finds them.
function filesOf(name) {
    const order = [];
    const folders = [];
    const visit = (target) => {
        const t = targets.get(target);
        if (!t || folders.includes(t.folder) && order.some((f) => t.sources.includes(f))) return;
        folders.push(t.folder);
        for (const source of t.sources) if (!order.includes(source)) order.push(source);
        t.modules.forEach(visit);
    };
    visit(name);
    for (let i = 0; i < order.length; i++) {
        let after = i + 1;
        for (const [, header] of read(order[i]).matchAll(/^\s*#\s*include\s+"([^"]+)"/gm)) {
            const found = [path.posix.dirname(order[i]), ...folders]
                .map((folder) => path.posix.join(folder, header)).find(exists);
            if (found && !order.includes(found)) order.splice(after++, 0, found);
        }
    }
    // The program's own folder first, its main source leading, then each module's folder in
    // the order the build links them; in a module, its headers before its sources.
    const own = targets.get(name).folder;
    const byFolder = [...new Set([own, ...order.map((f) => path.posix.dirname(f))])];
    const rank = (f) => byFolder.indexOf(path.posix.dirname(f)) * 1e6 +
        (path.posix.dirname(f) === own ? 0 : f.endsWith('.h') ? 0 : 1e5) + order.indexOf(f);
    return order.sort((a, b) => rank(a) - rank(b));
}

const fileId = (file) => 'archivo-' + file.replace(/[^A-Za-z0-9]+/g, '-');

function highlighted(file) {
    const language = file.endsWith('.c') ? 'c' : 'cpp';
    return hljs.highlight(read(file), { language }).value;
}

// A statement: Markdown, with the session's block (the one after <!-- sesión: caso -->) set
// apart, and the course's files it names linked to where the page shows them.
function statement(name, shown) {
    let session = null;
    let title = '';
    const marked = new Marked({
        renderer: {
            html({ text }) {
                const found = /^<!-- sesión: (.*) -->\s*$/.exec(text);
                if (found) { session = found[1]; return ''; }
                return text;
            },
            heading({ tokens, depth }) {
                if (depth === 1 && !title) { title = this.parser.parseInline(tokens); return ''; }
                return `<h${depth + 1}>${this.parser.parseInline(tokens)}</h${depth + 1}>\n`;
            },
            code({ text, lang, raw }) {
                // The session as it stands between its fences, blank lines at either end kept
                // (marked's text drops some of them).
                if (session !== null) {
                    text = raw.replace(/^```[^\n]*\n/, '').replace(/```\s*$/, '');
                    const caso = session;
                    session = null;
                    return `<figure class="sesion" id="sesion">\n<figcaption>Una sesión: el caso ` +
                        `<code>${escape(caso)}</code> de <code>casos/${escape(name)}/</code></figcaption>\n` +
                        `<pre tabindex="0"><code>${escape(text)}</code></pre>\n</figure>\n`;
                }
                const body = lang === 'c' || lang === 'cpp' ? hljs.highlight(text, { language: lang }).value : escape(text);
                return `<pre tabindex="0"><code>${body}\n</code></pre>\n`;
            },
            codespan({ text }) {
                const file = text.replace(/&amp;/g, '&');
                if (shown.includes(file)) return `<a href="#${fileId(file)}"><code>${text}</code></a>`;
                return `<code>${text}</code>`;
            },
        },
    });
    const body = marked.parse(read(`enunciados/${name}.md`));
    return { title, body };
}

// The description is what a link to the page shows where it is shared (the course platform).
function page({ file, title, description, body, head = '', up = '../' }) {
    write(file, `<!DOCTYPE html>
<html lang="es">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>${title}</title>
<meta name="description" content="${escape(description)}">
<link rel="stylesheet" href="${up}recursos/estilo.css">
${head}</head>
<body>
<a class="saltar" href="#contenido">Saltar al contenido</a>
<header class="cabecera"><a href="${up}index.html">Curso de programación: los ejemplos resueltos</a></header>
<main id="contenido">
${body}</main>
<footer class="pie"><a href="${up}index.html">Índice de programas</a> · <a href="${up}utiles/utiles.html">Manual de utiles</a></footer>
</body>
</html>
`);
}

const plain = (html) => html.replace(/<[^>]+>/g, '');
const topicId = (topic) => 'tema-' + topic.normalize('NFD').replace(/[\u0300-\u036f]/g, '')
    .toLowerCase().replace(/[^a-z0-9]+/g, '-').replace(/^-|-$/g, '');

// One page per program, and one for the module without main.
const pages = entries.filter((e) => e.kind !== 'biblioteca');
pages.forEach((entry, i) => {
    const { name } = entry;
    const files = filesOf(name);
    const own = targets.get(name).folder;
    const hasStatement = exists(`enunciados/${name}.md`);
    const { title, body } = hasStatement ? statement(name, files)
        : { title: `${name}: ${escape(entry.description)}`, body: `<p>${escape(entry.description)}.</p>\n` };
    const runs = entry.kind === 'programa';
    // A module's files are folded away; a link to one opens it, since its id is inside.
    const code = files.map((file) => {
        const listing = (id) => `<pre${id} tabindex="0" aria-label="${escape(file)}"><code class="hljs">` +
            `${highlighted(file)}</code></pre>\n`;
        return path.posix.dirname(file) === own
            ? `<h3 id="${fileId(file)}"><code>${escape(file)}</code></h3>\n${listing('')}`
            : `<details class="modulo">\n<summary><code>${escape(file)}</code></summary>\n${listing(` id="${fileId(file)}"`)}</details>\n`;
    }).join('');
    const before = pages[i - 1];
    const after = pages[i + 1];
    const neighbours = [
        before ? `<a rel="prev" href="${before.name}.html">← ${before.name}</a>` : '',
        after ? `<a rel="next" href="${after.name}.html">${after.name} →</a>` : '',
    ].filter(Boolean).join(' · ');
    const terminal = !runs ? '' : `<h2 id="ejecutar">Ejecútalo aquí</h2>
<section id="terminal" class="terminal" data-programa="${escape(name)}" data-argumentos="${escape(entry.args)}"
         aria-label="Terminal: ${escape(name)}"><noscript><p>La terminal necesita JavaScript. El enunciado y
la solución se leen sin él; el programa también se ejecuta en tu ordenador con
<code>make run P=${escape(name)}${entry.args ? ` ARGS="…"` : ''}</code>.</p></noscript></section>
`;
    page({
        file: `programas/${name}.html`,
        title: `${plain(title)} · Curso`,
        description: runs ? `${name}: ${entry.description}. Enunciado, sesión, terminal y solución.`
            : `${name}: ${entry.description}.`,
        head: runs ? '<link rel="stylesheet" href="../recursos/xterm.css">\n' +
            '<script type="module" src="../recursos/terminal.js"></script>\n' : '',
        body: `<nav class="migas" aria-label="Dónde estás"><a href="../index.html">Índice</a> › ` +
            `<a href="../index.html#${topicId(entry.topic)}">${escape(entry.topic)}</a> › ${escape(name)}</nav>
<h1>${title}</h1>
<section id="enunciado" aria-label="Enunciado">
${entry.args ? `<p class="argumentos">Argumentos: <code>${escape(entry.args)}</code></p>\n` : ''}${body}</section>
${terminal}<section id="codigo" aria-labelledby="codigo-titulo">
<h2 id="codigo-titulo">La solución del curso</h2>
${files.length > 1 ? '<p>Los archivos de otras carpetas son los módulos que usa: se abren al pulsarlos.</p>\n' : ''}${code}</section>
<nav class="vecinos" aria-label="Otros programas">${neighbours}</nav>
`,
    });
});

// utiles' manual pages, from their groff sources.
const manFolder = 'lib/utiles/man';
const manuals = fs.readdirSync(path.join(root, manFolder)).filter((f) => f.endsWith('.3')).sort()
    .map((f) => ({ name: f.slice(0, -2), ...manAHtml(read(`${manFolder}/${f}`), `${manFolder}/${f}`) }));
const manNames = new Set(manuals.map((m) => m.name));
for (const manual of manuals) {
    const linked = manual.body.replace(/<b>([A-Za-z]+)<\/b>\(3\)/g,
        (all, name) => manNames.has(name) && name !== manual.name ? `<a href="${name}.html"><b>${name}</b>(3)</a>` : all);
    page({
        file: `utiles/${manual.name}.html`,
        title: `${manual.name}(3): ${escape(manual.summary)} · Curso`,
        description: `${manual.name}(3), de la biblioteca utiles: ${manual.summary}.`,
        body: `<nav class="migas" aria-label="Dónde estás"><a href="../index.html">Índice</a> › ` +
            `<a href="utiles.html">utiles</a> › ${escape(manual.name)}(3)</nav>
<article class="manual">
<h1>${escape(manual.name)}(3) <span class="resumen">${escape(manual.summary)}</span></h1>
${linked}</article>
`,
    });
}

// The index by topic: the same as make list and LEEME.md.
const topics = [...new Set(entries.map((e) => e.topic))];
const index = topics.map((topic) => {
    const items = entries.filter((e) => e.topic === topic).map((e) => {
        const href = e.kind === 'biblioteca' ? `utiles/${e.name}.html` : `programas/${e.name}.html`;
        const note = e.kind === 'programa' ? '' : ` <span class="nota">(${e.kind === 'biblioteca' ? 'biblioteca' : 'módulo, sin main'})</span>`;
        const args = e.args ? ` <code class="argumentos">${escape(e.args)}</code>` : '';
        return `<li><a href="${href}"><code>${escape(e.name)}</code></a>${args}${note}: ${escape(e.description)}</li>`;
    }).join('\n');
    return `<section aria-labelledby="${topicId(topic)}">\n<h2 id="${topicId(topic)}">${escape(topic)}</h2>\n<ul class="programas">\n${items}\n</ul>\n</section>\n`;
}).join('');
const manualList = manuals.map((m) =>
    `<li><a href="utiles/${m.name}.html"><code>${escape(m.name)}</code></a>: ${escape(m.summary)}</li>`).join('\n');
page({
    file: 'index.html',
    up: '',
    title: 'Curso de programación: los ejemplos resueltos',
    description: 'Los programas de un primer curso de programación en C y C++, por temas: enunciado, terminal y solución de cada uno.',
    body: `<h1>Los ejemplos resueltos del curso</h1>
<p>Programas pequeños de consola, cada uno para aprender una técnica: leer números del teclado,
menús, listas enlazadas, archivos de texto y binarios, registros, textos, punteros y bucles.
Cada página tiene el enunciado (qué escribir, qué escribe y una sesión de ejemplo), una terminal
donde ejecutar el programa del curso tal cual y, para después de intentarlo, su solución.</p>
<p>Todos los programas de este sitio comparten una carpeta de trabajo, como <code>trabajo/</code>
con <code>make run</code>: lo que guarda uno (<code>gridsave</code>, <code>recsaver</code>...) lo lee
otro. La carpeta se guarda en este navegador hasta que la vacías, y desde la terminal puedes
descargar sus archivos o subir los tuyos.</p>
${index}<section aria-labelledby="manual">
<h2 id="manual">El manual de <code>utiles</code></h2>
<ul class="programas">
${manualList}
</ul>
</section>
`,
});

// Shared files: the site's style, the terminal's own files and the packages' files it names,
// and the programs built for WebAssembly.
function copy(from, to) {
    fs.mkdirSync(path.dirname(path.join(web, to)), { recursive: true });
    fs.cpSync(from, path.join(web, to), { recursive: true });
}
copy(path.join(root, 'tools/web/estilo.css'), 'recursos/estilo.css');
if (fs.existsSync(path.join(root, 'tools/web/recursos'))) copy(path.join(root, 'tools/web/recursos'), 'recursos');
const list = path.join(root, 'tools/web/recursos.txt');
if (fs.existsSync(list)) {
    for (const line of fs.readFileSync(list, 'utf8').split('\n')) {
        if (/^\s*(#|$)/.test(line)) continue;
        const [from, to] = line.split('->').map((s) => s.trim());
        const source = path.join(stage, 'node_modules', from);
        if (!to || !fs.existsSync(source)) {
            console.error(`tools/web/recursos.txt: no se puede copiar «${line.trim()}»`);
            process.exit(1);
        }
        copy(source, path.join('recursos', to));
    }
}
const wasmFolder = path.join(build, 'web-wasm');
const wasm = fs.existsSync(wasmFolder) ? fs.readdirSync(wasmFolder).filter((f) => f.endsWith('.wasm')) : [];
for (const file of wasm) copy(path.join(wasmFolder, file), path.join('wasm', file));

const runnable = pages.filter((e) => e.kind === 'programa').length;
console.log(`[make web] el sitio está en ${path.relative(process.cwd(), web) || '.'}/: ` +
    `${pages.length} páginas de programas, ${manuals.length} del manual, ${wasm.length} de ${runnable} programas en WebAssembly`);
