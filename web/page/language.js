// The page's language: the first of the reader's (navigator.languages) that the page has words
// for, else English; its words loaded before the page's other scripts, which look each text up
// with _(), as gettext does, and fill in a pattern's %s and %d with TarnelLanguage.fill.
'use strict';

var TarnelLanguage = (function() {
  // The languages the page has words for, by gettext's names (po/LINGUAS); the build writes
  // them in.
  var LANGUAGES = '{{{ LANGUAGES }}}'.split(' ');
  var RIGHT_TO_LEFT = ['ar'];
  var words = {}; // English -> the language's, from languages/LL.js

  // The reader's first language the page speaks: the tag itself (pt-BR is pt_BR), else the
  // language alone (pt-PT and pt are pt_BR, zh-Hans is zh_CN), English being one of them.
  function chosen() {
    var tags = navigator.languages && navigator.languages.length ? navigator.languages
                                                                : [navigator.language || 'en'];
    for (var i = 0; i < tags.length; i++) {
      var tag = tags[i].toLowerCase();
      var alone = tag.split('-')[0];
      var exact = LANGUAGES.filter(function(name) {
        return name.toLowerCase().replace('_', '-') === tag;
      });
      if (exact.length > 0) return exact[0];
      if (alone === 'en') return 'en';
      var same = LANGUAGES.filter(function(name) {
        return name.split('_')[0].toLowerCase() === alone;
      });
      if (same.length > 0) return same[0];
    }
    return 'en';
  }

  var language = chosen();
  var root = document.documentElement;
  root.lang = language.replace('_', '-');
  root.dir = RIGHT_TO_LEFT.indexOf(language.split('_')[0]) >= 0 ? 'rtl' : 'ltr';
  // Before the page's other scripts, which read their words as they load: a script the parser
  // runs next, as this one is still being parsed.
  if (language !== 'en') document.write('<script src="languages/' + language + '.js"><\/script>');

  return {
    language: language,
    // Called by languages/LL.js with its words.
    learn: function(learnt) { words = learnt; },
    lookUp: function(text) {
      return Object.prototype.hasOwnProperty.call(words, text) ? words[text] : text;
    },
    // A pattern's %s and %d filled with values in turn, or %2$s with the second, as the
    // translations may reorder them; %% is a percent sign.
    fill: function(pattern) {
      var values = Array.prototype.slice.call(arguments, 1);
      var next = 0;
      return pattern.replace(/%(?:(\d+)\$)?([sd%])/g, function(whole, position, type) {
        if (type === '%') return '%';
        return String(values[position ? Number(position) - 1 : next++]);
      });
    },
  };
})();

// The page's texts in its language; the name gettext's tools look for.
function _(text) { return TarnelLanguage.lookUp(text); }
