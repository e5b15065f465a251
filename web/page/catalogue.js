// The program's messages in the page's language: its catalogue, languages/LL.mo, fetched before
// main runs into the page's files where the program's gettext looks (web/entry.cpp), and LANG
// naming the language, which the program's C library reads the catalogue's name from.
'use strict';

var TarnelCatalogue = {
  // A preRun of the runtime's. FS and ENV are the runtime's files and environment.
  prepareFiles: function() {
    var language = TarnelLanguage.language;
    if (language === 'en') {
      ENV.LANG = 'C.UTF-8'; // the program's own English, whatever the browser's language
      return;
    }
    ENV.LANG = language + '.UTF-8';
    Module.addRunDependency('catalogue');
    fetch('languages/' + language + '.mo').then(function(response) {
      if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
      return response.arrayBuffer();
    }).then(function(buffer) {
      var folder = '/locale/' + language + '/LC_MESSAGES';
      FS.mkdirTree(folder);
      FS.writeFile(folder + '/tarnel.mo', new Uint8Array(buffer));
    }).catch(function(error) {
      // The page still plays: the program speaks English.
      console.warn('The page cannot fetch the program\'s messages in its language: ' +
                   error.message);
    }).then(function() {
      Module.removeRunDependency('catalogue');
    });
  },
};
