// Checks glTF files with the Khronos glTF validator:
//   node validate_gltf.mjs FILE.glb...
// Exit status 0 when every file has no errors and no warnings, 1 when one
// has, 2 when a file cannot be read. Prints each file's issue counts and
// every error or warning found.
import { readFile } from 'node:fs/promises';
import validator from 'gltf-validator';

let status = 0;
for (const path of process.argv.slice(2)) {
    let bytes;
    try {
        bytes = new Uint8Array(await readFile(path));
    } catch (error) {
        console.error(`${path}: ${error.message}`);
        status = 2;
        continue;
    }
    const report = await validator.validateBytes(bytes, {
        uri: path,
        maxIssues: 0,
        externalResourceFunction: () => Promise.reject(new Error('no external resources')),
    });
    const { numErrors, numWarnings, numInfos, numHints, messages } = report.issues;
    console.log(`${path}: ${numErrors} errors, ${numWarnings} warnings, ${numInfos} infos, ${numHints} hints`);
    for (const message of messages) {
        if (message.severity <= 1)
            console.log(`  ${message.severity === 0 ? 'error' : 'warning'} ${message.code} at ${message.pointer ?? '-'}: ${message.message}`);
    }
    if (numErrors > 0 || numWarnings > 0)
        status = Math.max(status, 1);
}
process.exit(status);
