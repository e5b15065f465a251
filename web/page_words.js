// Turns a compiled catalogue (a .mo on stdin, the page's messages alone) into the page's words
// in its language (on stdout): languages/LL.js, a script that hands language.js each English
// text with its translation.
'use strict';

const fs = require('fs');
const {mo} = require('gettext-parser');

const catalogue = mo.parse(fs.readFileSync(0));
const words = {};
for (const messages of Object.values(catalogue.translations)) {
  for (const [english, message] of Object.entries(messages)) {
    if (english !== '' && message.msgstr[0] !== '') words[english] = message.msgstr[0];
  }
}
process.stdout.write(`TarnelLanguage.learn(${JSON.stringify(words, null, 0)});\n`);
