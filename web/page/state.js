// state.js - the page's state: `lumo render` options as fields, and the
// URL hash that holds them.
//
// A field is one long option without its dashes and its values:
// {name: 'view', values: ['-20', '10', '-15', '15']}.  In the hash each
// field is name=v1,v2,... with every value URL-encoded (so a comma inside
// a typed function is %2C) and the fields joined by '&'; a field without
// values is a flag (`graph`).  The core turns fields into settings and
// settings back into fields, so the page offers whatever `lumo render` does.

// The options whose value is free text (a typed function, a parameter's
// NAME=VALUE): a comma a person typed into the hash there belongs to it.
// A parameter is one param field each, as lumo render takes --param
// once for each.
const TEXTFIELDS = new Set(['expr', 'param']);

// The fields of a hash, and a note for each part that cannot be read.
export function parseHash(hash) {
  const fields = [], problems = [];
  const text = hash.startsWith('#') ? hash.slice(1) : hash;
  for (const part of text.split('&')) {
    if (part === '') continue;
    const eq = part.indexOf('=');
    const name = eq < 0 ? part : part.slice(0, eq);
    let values = eq < 0 ? [] : part.slice(eq + 1).split(',');
    try {
      values = values.map(decodeURIComponent);
    } catch (e) {
      problems.push({ name, message: 'it is not valid URL encoding' });
      continue;
    }
    if (!/^[a-z][a-z0-9-]*$/.test(name)) {
      problems.push({ name, message: 'it is not an option name' });
      continue;
    }
    if (TEXTFIELDS.has(name)) values = [values.join(',')];
    fields.push({ name, values });
  }
  return { fields, problems };
}

export function hashOf(fields) {
  return '#' + fields.map(f => f.values.length === 0 ? f.name
    : f.name + '=' + f.values.map(encodeURIComponent).join(',')).join('&');
}

// Option words for the core; a typed function's line breaks and tabs are
// blanks to its parser, and the core takes one word a line.
export function wordsOf(fields) {
  const words = [];
  for (const f of fields) {
    words.push('--' + f.name);
    for (const v of f.values) words.push(v.replace(/[\n\r\t]/g, ' '));
  }
  return words.join('\n');
}

// The core's words of the settings now: one option a line, its words
// separated by tabs.
export function fieldsOfCoreWords(text) {
  return text.split('\n').filter(l => l !== '').map(line => {
    const [option, ...values] = line.split('\t');
    return { name: option.replace(/^--/, ''), values };
  });
}

export function getField(fields, name) {
  const f = fields.find(f => f.name === name);
  return f ? f.values : null;
}

// fields with `name` set to values (null removes it), keeping the order.
export function withField(fields, name, values) {
  const out = fields.filter(f => f.name !== name);
  if (values !== null) {
    const at = fields.findIndex(f => f.name === name);
    const field = { name, values };
    if (at < 0) out.push(field); else out.splice(at, 0, field);
  }
  return out;
}
