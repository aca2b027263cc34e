// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program once the window, already in the page, has been drawn with its fonts and
// its emblem: fetching, compiling and running the program then cannot hold back that first
// frame. A picture that fails to load does not keep the program from starting. The window's
// first field takes the focus then as well: focusing a text field while the page is laid
// out (as `autofocus` does in Chromium) costs the first frame a forced layout and the
// browser's own work for a focused field.
//
// The page names its manifest only then too. Chromium fetches a manifest as soon as a page
// names it, and the icons it lists once the page has loaded, and that work would otherwise
// fall before the window's first frame. Installing the page needs the manifest only later.
//
// A page that cannot start its program (a browser without WebAssembly, or the program
// blocked or failing to download or to compile) says so under the window, instead of
// leaving the window busy for ever.
(() => {
  const window1 = document.getElementById('Form1');
  const started = () => !window1 || !window1.hasAttribute('aria-busy');
  const fail = (why) => {
    if (started() || document.getElementById('StartFailed')) return;
    window1.removeAttribute('aria-busy');
    window1.inert = true;
    const alert = document.createElement('p');
    alert.id = 'StartFailed';
    alert.setAttribute('role', 'alert');
    alert.textContent = 'Quorvel no ha podido arrancar: ' + why;
    window1.after(alert);
  };
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    fail('este navegador no ejecuta WebAssembly.');
    return;
  }
  // The loader reports a program it could not fetch or compile as an error or a rejected
  // promise, never to the window.
  const notLoaded = () => fail('no se ha podido cargar el programa. ' +
    'Compruebe la conexión y vuelva a cargar la página.');
  addEventListener('error', notLoaded);
  addEventListener('unhandledrejection', notLoaded);
  const drawn = [document.fonts.ready];
  const emblem = document.querySelector('#Form1 img');
  if (emblem) drawn.push(emblem.decode().catch(() => {}));
  Promise.all(drawn).then(() => requestAnimationFrame(() => setTimeout(() => {
    // The window's first field takes the focus, unless the user has already put it somewhere.
    const first = window1 && window1.querySelector('[data-first-focus]');
    if (first && (!document.activeElement || document.activeElement === document.body)) {
      first.focus();
    }
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.append(manifest);
    const program = document.createElement('script');
    program.src = 'quorvel.js';
    program.onerror = notLoaded;
    document.head.append(program);
  })));
})();
