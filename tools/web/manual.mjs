// utiles' manual pages, from their groff sources (man macros) to HTML. It knows the few macros
// and escapes the pages use, and stops the build at any other, so a page never shows raw roff.
//   manAHtml(source) -> { name, summary, body }

const escapeHtml = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

// Named characters of the \(xx form the pages use.
const named = { dq: '"', aq: "'", lq: '“', rq: '”', Fo: '«', Fc: '»', em: '—', en: '–', hy: '-', bu: '•', co: '©' };
const fontTags = { B: 'b', I: 'i', R: null };

// A line of text with its escapes and font changes (\fB, \fI, \fR, \fP).
function inline(text, where) {
    let out = '';
    let font = 'R';
    let previous = 'R';
    const setFont = (next) => {
        if (next === 'P') next = previous;
        if (fontTags[next] === undefined) throw new Error(`${where}: fuente desconocida \\f${next}`);
        if (fontTags[font]) out += `</${fontTags[font]}>`;
        previous = font;
        font = next;
        if (fontTags[font]) out += `<${fontTags[font]}>`;
    };
    for (let i = 0; i < text.length; i++) {
        const ch = text[i];
        if (ch !== '\\') { out += escapeHtml(ch); continue; }
        const next = text[++i];
        if (next === 'f') setFont(text[++i]);
        else if (next === '(') {
            const code = text.slice(i + 1, i + 3);
            if (!(code in named)) throw new Error(`${where}: carácter desconocido \\(${code}`);
            out += escapeHtml(named[code]);
            i += 2;
        } else if (next === '-') out += '-';
        else if (next === 'e' || next === '\\') out += '\\';
        else if (next === ' ') out += '&nbsp;';
        else if (next === '%' || next === '&') out += '';
        else throw new Error(`${where}: escape desconocido \\${next}`);
    }
    if (fontTags[font]) out += `</${fontTags[font]}>`;
    return out;
}

// A macro's arguments: words (an escaped blank, "\ ", belongs to its word), or double-quoted
// strings that may hold blanks.
function argumentsOf(text) {
    const words = [];
    const pattern = /"((?:[^"]|"")*)"|((?:\\.|[^\s\\])+)/g;
    let match;
    while ((match = pattern.exec(text))) words.push(match[1] !== undefined ? match[1].replace(/""/g, '"') : match[2]);
    return words;
}

const slug = (text) => text.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase()
    .replace(/[^a-z0-9]+/g, '-').replace(/^-|-$/g, '');

export function manAHtml(source, file = 'man') {
    const out = [];
    const stack = [];
    let name = '';
    let summary = '';
    let section = '';
    let tagPending = false;
    const top = () => stack[stack.length - 1];
    const open = (kind, html) => { out.push(html); stack.push(kind); };
    const close = () => {
        const kind = stack.pop();
        out.push({ p: '</p>\n', pre: '</pre>\n', dl: '</dl>\n', dd: '</dd>\n', rs: '</div>\n' }[kind]);
    };
    const closeParagraph = () => { if (top() === 'p') close(); };
    const closeAll = () => { while (stack.length) close(); };
    // Text in its place: the tag of a .TP item, the line of a block without filling, or
    // running text of a paragraph.
    const text = (html) => {
        if (top() === 'pre') { out.push(html + '\n'); return; }
        if (tagPending) {
            tagPending = false;
            out.push(`<dt>${html}</dt>\n`);
            open('dd', '<dd>');
            return;
        }
        if (top() !== 'p') open('p', '<p>');
        out.push(html + '\n');
    };

    source.split('\n').forEach((line, n) => {
        const where = `${file}:${n + 1}`;
        if (/^['.]\\"/.test(line)) return;
        if (!line.startsWith('.')) {
            if (line.trim() === '' && top() !== 'pre') closeParagraph();
            else text(inline(line, where));
            if (section === 'NOMBRE' && !summary) {
                const words = line.split(' \\- ');
                summary = words.slice(1).join(' - ').trim();
            }
            return;
        }
        const [, macro, rest = ''] = /^\.(\S+)\s*(.*)$/.exec(line) || [];
        const args = argumentsOf(rest);
        switch (macro) {
        case 'TH': name = args[0]; break;
        case 'nh': break;
        case 'SH': case 'SS': {
            closeAll();
            tagPending = false;
            section = args.join(' ');
            const level = macro === 'SH' ? 'h2' : 'h3';
            out.push(`<${level} id="${slug(section)}">${inline(section, where)}</${level}>\n`);
            break;
        }
        case 'PP': case 'LP': case 'P':
            if (top() === 'pre') { out.push('\n'); break; }
            closeParagraph();
            while (top() === 'dd' || top() === 'dl') close();
            break;
        case 'TP':
            closeParagraph();
            if (top() === 'dd') close();
            if (top() !== 'dl') open('dl', '<dl>\n');
            tagPending = true;
            break;
        case 'IP':
            closeParagraph();
            if (args.length && args[0] !== '""') {
                if (top() === 'dd') close();
                if (top() !== 'dl') open('dl', '<dl>\n');
                tagPending = true;
                text(inline(args[0], where));
            }
            break;
        case 'RS': closeParagraph(); open('rs', '<div class="sangria">\n'); break;
        case 'RE':
            closeParagraph();
            while (stack.length && top() !== 'rs') close();
            if (stack.length) close();
            break;
        case 'nf': closeParagraph(); open('pre', '<pre tabindex="0">'); break;
        case 'fi': if (top() === 'pre') close(); break;
        case 'B': case 'I':
            text(`<${fontTags[macro]}>${inline(args.join(' '), where)}</${fontTags[macro]}>`);
            break;
        case 'BI': case 'BR': case 'IR': case 'RB': case 'RI': case 'IB':
            text(args.map((arg, i) => {
                const tag = fontTags[macro[i % 2]];
                return tag ? `<${tag}>${inline(arg, where)}</${tag}>` : inline(arg, where);
            }).join(''));
            break;
        default:
            throw new Error(`${where}: la macro .${macro} no se sabe convertir (tools/web/manual.mjs)`);
        }
    });
    closeAll();
    return { name, summary, body: out.join('') };
}
