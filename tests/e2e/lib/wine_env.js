// The environment every Wine process of the end-to-end tests runs with.
'use strict';

// Wine takes the Windows locale from the Unix one. The programs' users run
// Chinese Windows (code page 936: the profile functions write GBK, message
// boxes speak Chinese), so the tests do too. The locale must exist on the
// machine (scripts/setup.sh generates it), or Wine misreads UTF-8 arguments.
const WINE_LOCALE = 'zh_CN.UTF-8';

function wineEnv(prefix, extra = {}) {
  return {
    ...process.env,
    WINEPREFIX: prefix,
    WINEARCH: 'win32',
    WINEDEBUG: '-all',
    WINEDLLOVERRIDES: 'mscoree,mshtml=', // no Mono/Gecko install prompts
    LC_ALL: WINE_LOCALE,
    ...extra,
  };
}

// A path inside the prefix's drive C as Windows sees it.
function windowsPath(relativeToDriveC) {
  return 'C:\\' + relativeToDriveC.split('/').filter(Boolean).join('\\');
}

module.exports = { wineEnv, windowsPath, WINE_LOCALE };
