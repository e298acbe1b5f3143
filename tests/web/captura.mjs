// The site's pages in a real browser (Debian's chromium), at a desk's width and a phone's:
// the page never scrolls sideways, every text has contrast of at least 4.5:1 (3:1 when large),
// nothing takes the focus when a page loads, and the first Tab reaches the link that skips to
// the content. The program page's screenshots stay in <build>/web-capturas/ to be looked at.
//   node captura.mjs <web-npm-folder> <site-folder> <screenshot-folder>
// Exits 77 (skipped) without chromium.
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [stage, site, shots] = process.argv.slice(2).map((p) => path.resolve(p));
const browser = '/usr/bin/chromium';
if (!fs.existsSync(browser)) {
    console.log(`${browser} is not installed (Debian: apt install chromium): the pages are not looked at`);
    process.exit(77);
}
const { chromium } = createRequire(path.join(stage, 'node_modules', '/'))('playwright-core');
const { servir } = await import(pathToFileURL(path.join(stage, 'servir.mjs')));

const program = 'recsaver';
const pages = ['index.html', `programas/${program}.html`, 'utiles/pedirInt.html'];
const widths = { escritorio: { width: 1280, height: 900 }, movil: { width: 390, height: 844 } };

// What fails, in the page: text too faint on its background, and the page's own width.
function lookAtPage() {
    const parse = (color) => {
        const [r, g, b, a = 1] = color.match(/[\d.]+/g).map(Number);
        return { r, g, b, a };
    };
    const luminance = ({ r, g, b }) => {
        const channel = (v) => { v /= 255; return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4; };
        return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
    };
    const background = (element) => {
        for (let e = element; e; e = e.parentElement) {
            const color = parse(getComputedStyle(e).backgroundColor);
            if (color.a > 0) return color;
        }
        return { r: 255, g: 255, b: 255, a: 1 };
    };
    const faint = [];
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
        const element = node.parentElement;
        // The terminal draws itself, and a hidden text is not read.
        if (!node.textContent.trim() || element.closest('.terminal, noscript')) continue;
        const style = getComputedStyle(element);
        const box = element.getBoundingClientRect();
        if (style.visibility === 'hidden' || box.width === 0 || box.height === 0 || box.right < 0) continue;
        const [l1, l2] = [luminance(parse(style.color)), luminance(background(element))].sort((a, b) => b - a);
        const ratio = (l1 + 0.05) / (l2 + 0.05);
        const size = parseFloat(style.fontSize);
        const large = size >= 24 || (size >= 18.66 && Number(style.fontWeight) >= 700);
        if (ratio < (large ? 3 : 4.5)) faint.push(`${ratio.toFixed(2)}:1 «${node.textContent.trim().slice(0, 40)}» (${style.color})`);
    }
    return { faint, pageWidth: document.documentElement.scrollWidth, window: window.innerWidth };
}

const profile = fs.mkdtempSync(path.join(process.env.TMPDIR || os.tmpdir(), 'chromium-'));
const server = await servir(site);
const base = `http://127.0.0.1:${server.address().port}/`;
const context = await chromium.launchPersistentContext(profile, {
    executablePath: browser,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync'],
});
const failures = [];
try {
    fs.mkdirSync(shots, { recursive: true });
    const page = context.pages()[0] || await context.newPage();
    for (const [label, size] of Object.entries(widths)) {
        await page.setViewportSize(size);
        for (const address of pages) {
            // Once nothing more is fetched: the terminal has started its program, if any.
            await page.goto(base + address, { waitUntil: 'networkidle' });
            const { faint, pageWidth, window } = await page.evaluate(lookAtPage);
            const where = `${address} (${size.width} px)`;
            if (pageWidth > window) failures.push(`${where}: the page scrolls sideways, ${pageWidth} px in ${window}`);
            for (const text of faint) failures.push(`${where}: text of too little contrast, ${text}`);
            // The page opens at its top: nothing (a terminal starting) takes the focus, which
            // would leave a keyboard or a screen reader past the statement.
            const taken = await page.evaluate(() => document.activeElement !== document.body && document.activeElement.outerHTML.slice(0, 60));
            if (taken) failures.push(`${where}: the focus is taken when the page loads, by ${taken}`);
            // From the top of the page, whoever took the focus, Tab goes first to the skip link.
            await page.evaluate(() => {
                const top = document.documentElement;
                top.tabIndex = -1;
                top.focus();
                top.removeAttribute('tabindex');
            });
            await page.keyboard.press('Tab');
            const first = await page.evaluate(() => {
                const e = document.activeElement;
                const box = e.getBoundingClientRect();
                return { href: e.getAttribute('href'), seen: box.width > 0 && box.top >= 0 && box.left >= 0 };
            });
            if (first.href !== '#contenido' || !first.seen) failures.push(`${where}: the first Tab does not show the link to the content`);
            if (address.startsWith('programas/')) {
                await page.keyboard.press('Escape');
                await page.evaluate(() => document.activeElement.blur());
                await page.screenshot({ path: path.join(shots, `${program}-${label}.png`), fullPage: true });
            }
        }
    }
} finally {
    await context.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
}
for (const failure of failures) console.log(failure);
if (failures.length) process.exit(1);
console.log(`${pages.length} pages at ${Object.keys(widths).length} widths; screenshots in ${shots}`);
